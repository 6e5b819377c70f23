#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/sdl/game_window.h"
#include "platform/sdl/sdl_state.h"

SdlState sdlHost;

namespace {

// SDL falls back to drivers that draw nowhere when no display is reachable;
// for a game that is the same as having no display at all.
bool drawsNowhere(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

void reportNoDisplay(const char* detail) {
    std::fprintf(stderr,
                 "nmnm: no display to open (%s); start the game from a graphical desktop session "
                 "(DISPLAY or WAYLAND_DISPLAY must be set)\n",
                 detail);
}

void destroyWindow() {
    destroyPresentation();
    if (sdlHost.window) SDL_DestroyWindow(sdlHost.window);
    sdlHost.window = nullptr;
    SDL_Quit();
}

}  // namespace

bool openGameWindow() {
    sdlHost = SdlState{};
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (drawsNowhere(driver)) {
        reportNoDisplay(driver ? driver : "no video driver");
        SDL_Quit();
        return false;
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    // Made at the desktop's size: without a window manager a smaller window
    // with the full-screen flag keeps its own size.
    sdlHost.window = SDL_CreateWindow("nmnm", SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                  SDL_WINDOWPOS_UNDEFINED_DISPLAY(0), desktop.w, desktop.h,
                                  SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS |
                                      SDL_WINDOW_ALWAYS_ON_TOP);
    if (!sdlHost.window) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    if (!createPresentation()) {
        std::fprintf(stderr,
                     "nmnm: no renderer for the window (%s); install the graphics driver "
                     "(on Debian: libgl1-mesa-dri)\n",
                     SDL_GetError());
        destroyWindow();
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(sdlHost.window);
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    sdlHost.cursorInWindow = Point{x, y};
    return true;
}

void closeGameWindow() {
    if (sdlHost.window) SDL_SetWindowGrab(sdlHost.window, SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    destroyWindow();
}

void toggleFullScreen() {
    if (!sdlHost.window) return;
    const int display = SDL_GetWindowDisplayIndex(sdlHost.window) < 0 ? 0
                                                                    : SDL_GetWindowDisplayIndex(sdlHost.window);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return;
    if (sdlHost.fullScreen) {
        SDL_Rect usable{0, 0, desktop.w, desktop.h};
        SDL_GetDisplayUsableBounds(display, &usable);
        const int scale = largestWholeScale(usable.w, usable.h);
        SDL_SetWindowFullscreen(sdlHost.window, 0);
        SDL_SetWindowAlwaysOnTop(sdlHost.window, SDL_FALSE);
        SDL_SetWindowBordered(sdlHost.window, SDL_TRUE);
        SDL_SetWindowSize(sdlHost.window, kScreenWidth * scale, kScreenHeight * scale);
        SDL_SetWindowPosition(sdlHost.window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    } else {
        SDL_SetWindowBordered(sdlHost.window, SDL_FALSE);
        SDL_SetWindowAlwaysOnTop(sdlHost.window, SDL_TRUE);
        SDL_SetWindowSize(sdlHost.window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(sdlHost.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    sdlHost.fullScreen = !sdlHost.fullScreen;
    redrawPicture();
}

// On a desktop the window is the display: it exists once openGameWindow has
// succeeded, and there is no mode to change or give back.
bool hostOpenDisplay() { return sdlHost.window != nullptr; }

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}

