#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/host.h"
#include "platform/picture_fit.h"
#include "platform/sdl/game_window.h"
#include "platform/sdl/sdl_state.h"
#include "platform/sdl/window_icon.h"

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
    if (sdl.window) SDL_DestroyWindow(sdl.window);
    sdl.window = nullptr;
    SDL_Quit();
}

}  // namespace

bool openGameWindow() {
    sdl = SdlState{};
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
    sdl.window = SDL_CreateWindow("nmnm", SDL_WINDOWPOS_UNDEFINED_DISPLAY(0),
                                  SDL_WINDOWPOS_UNDEFINED_DISPLAY(0), desktop.w, desktop.h,
                                  SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS |
                                      SDL_WINDOW_ALWAYS_ON_TOP);
    if (!sdl.window) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    setWindowIcon(sdl.window);
    if (!createPresentation()) {
        std::fprintf(stderr,
                     "nmnm: no renderer for the window (%s); install the graphics driver "
                     "(on Debian: libgl1-mesa-dri)\n",
                     SDL_GetError());
        destroyWindow();
        return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_RaiseWindow(sdl.window);
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    sdl.cursorInWindow = Point{x, y};
    return true;
}

void closeGameWindow() {
    if (sdl.window) SDL_SetWindowGrab(sdl.window, SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    destroyWindow();
}

void toggleFullScreen() {
    if (!sdl.window) return;
    const int display = SDL_GetWindowDisplayIndex(sdl.window) < 0 ? 0
                                                                    : SDL_GetWindowDisplayIndex(sdl.window);
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(display, &desktop) != 0) return;
    if (sdl.fullScreen) {
        SDL_Rect usable{0, 0, desktop.w, desktop.h};
        SDL_GetDisplayUsableBounds(display, &usable);
        const int scale = largestWholeScale(usable.w, usable.h);
        SDL_SetWindowFullscreen(sdl.window, 0);
        SDL_SetWindowAlwaysOnTop(sdl.window, SDL_FALSE);
        SDL_SetWindowBordered(sdl.window, SDL_TRUE);
        SDL_SetWindowSize(sdl.window, kPictureWidth * scale, kPictureHeight * scale);
        SDL_SetWindowPosition(sdl.window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    } else {
        SDL_SetWindowBordered(sdl.window, SDL_FALSE);
        SDL_SetWindowAlwaysOnTop(sdl.window, SDL_TRUE);
        SDL_SetWindowSize(sdl.window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(sdl.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    sdl.fullScreen = !sdl.fullScreen;
    redrawPicture();
}

// On a desktop the window is the display: it exists once openGameWindow has
// succeeded, and there is no mode to change or give back.
bool hostOpenDisplay() { return sdl.window != nullptr; }

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kPictureWidth && height == kPictureHeight && bitsPerPixel == 8;
}

