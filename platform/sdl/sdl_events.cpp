#include <SDL.h>

#include "base/host.h"
#include "base/virtual_keys.h"
#include "base/window.h"
#include "platform/sdl/sdl_state.h"
#include "platform/sdl/x11_display.h"

namespace {

void setActive(bool active) {
    if (sdlHost.active == active) return;
    sdlHost.active = active;
    // Free and visible while paused, so the player can leave the game.
    updatePointer();
    if (!active) inputReleaseAll(sdlHost.input);
}

int virtualKeyOf(SDL_Keycode key) {
    switch (key) {
        case SDLK_UP: return VK_UP;
        case SDLK_DOWN: return VK_DOWN;
        default: return 0;
    }
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: setActive(true); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED: setActive(false); break;
        case SDL_WINDOWEVENT_RESTORED:
            if (SDL_GetWindowFlags(sdlHost.window) & SDL_WINDOW_INPUT_FOCUS) setActive(true);
            redrawPicture();
            break;
        case SDL_WINDOWEVENT_EXPOSED: redrawPicture(); break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            redrawPicture();
            updatePointer();
            break;
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
            sdlHost.pointerInWindow = event.event == SDL_WINDOWEVENT_ENTER;
            updatePointer();
            break;
        case SDL_WINDOWEVENT_CLOSE: sdlHost.quitRequested = true; break;
        default: break;
    }
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: sdlHost.quitRequested = true; break;  // also SIGINT and SIGTERM
        case SDL_WINDOWEVENT: handleWindowEvent(event.window); break;
        case SDL_SYSWMEVENT: noteWindowSystemEvent(event); break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_ESCAPE) {
                if (!event.key.repeat) inputKeyPressed(sdlHost.input, VK_ESCAPE);
            } else if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT)) {
                if (!event.key.repeat) toggleFullScreen();
            } else if (event.key.keysym.sym == SDLK_SPACE || event.key.keysym.sym == SDLK_RIGHT) {
                // Only a watched run listens: pause, and one frame on.
                if (!event.key.repeat)
                    inputKeyPressed(sdlHost.input, event.key.keysym.sym == SDLK_SPACE ? VK_SPACE : VK_RIGHT);
            } else {
                inputKeyChanged(sdlHost.input, virtualKeyOf(event.key.keysym.sym), true);
            }
            break;
        case SDL_KEYUP: inputKeyChanged(sdlHost.input, virtualKeyOf(event.key.keysym.sym), false); break;
        case SDL_MOUSEMOTION:
            sdlHost.cursorInWindow = Point{event.motion.x, event.motion.y};
            sdlHost.pointerInWindow = true;
            updatePointer();
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            sdlHost.cursorInWindow = Point{event.button.x, event.button.y};
            if (event.button.button == SDL_BUTTON_LEFT) {
                inputButtonChanged(sdlHost.input, event.type == SDL_MOUSEBUTTONDOWN);
            }
            break;
        default: break;
    }
}

}  // namespace

void hostHandleEvents() {
    SDL_Event event;
    while (!sdlHost.quitRequested && SDL_PollEvent(&event)) handleEvent(event);
}

void hostWaitForEvent(int32_t timeoutMs) {
    if (sdlHost.quitRequested) return;
    SDL_Event event;
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMs);
    if (got) handleEvent(event);
}

bool hostWindowActive() { return sdlHost.active; }

int32_t hostNextKeyDown() { return inputNextKeyDown(sdlHost.input); }

bool hostEndRequested() { return sdlHost.quitRequested; }
