#include <SDL.h>

#include "platform/host.h"
#include "platform/sdl/game_window.h"
#include "platform/sdl/sdl_state.h"

namespace {

void setActive(bool active) {
    if (sdl.active == active) return;
    sdl.active = active;
    // Confined only while playing, so the player can leave a deactivated game.
    SDL_SetWindowGrab(sdl.window, active ? SDL_TRUE : SDL_FALSE);
    if (!active) inputReleaseAll(sdl.input);
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
            if (SDL_GetWindowFlags(sdl.window) & SDL_WINDOW_INPUT_FOCUS) setActive(true);
            redrawPicture();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: redrawPicture(); break;
        case SDL_WINDOWEVENT_CLOSE: sdl.quitRequested = true; break;
        default: break;
    }
}

void handleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: sdl.quitRequested = true; break;  // also SIGINT and SIGTERM
        case SDL_WINDOWEVENT: handleWindowEvent(event.window); break;
        case SDL_KEYDOWN:
            if (event.key.keysym.sym == SDLK_ESCAPE) {
                sdl.quitRequested = true;
            } else if (event.key.keysym.sym == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT)) {
                if (!event.key.repeat) toggleFullScreen();
            } else {
                inputKeyChanged(sdl.input, virtualKeyOf(event.key.keysym.sym), true);
            }
            break;
        case SDL_KEYUP: inputKeyChanged(sdl.input, virtualKeyOf(event.key.keysym.sym), false); break;
        case SDL_MOUSEMOTION: sdl.cursorInWindow = Point{event.motion.x, event.motion.y}; break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            sdl.cursorInWindow = Point{event.button.x, event.button.y};
            if (event.button.button == SDL_BUTTON_LEFT) {
                inputButtonChanged(sdl.input, event.type == SDL_MOUSEBUTTONDOWN);
            }
            break;
        default: break;
    }
}

}  // namespace

bool handleWaitingEvents() {
    SDL_Event event;
    while (!sdl.quitRequested && SDL_PollEvent(&event)) handleEvent(event);
    return !sdl.quitRequested;
}

bool eventWaiting() { return SDL_PollEvent(nullptr) != 0; }

bool waitForEvent(int32_t timeoutMs) {
    SDL_Event event;
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMs);
    if (got) handleEvent(event);
    return !sdl.quitRequested;
}

bool windowActive() { return sdl.active; }
