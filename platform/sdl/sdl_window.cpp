#include <SDL.h>

#include <cstdio>

#include "base/host.h"
#include "base/window.h"
#include "platform/common/picture_fit.h"
#include "platform/sdl/display_names.h"
#include "platform/sdl/sdl_state.h"
#include "platform/sdl/window_icon.h"
#include "platform/sdl/x11_display.h"

SdlState sdlHost;

namespace {

void destroyWindow() {
    destroyPresentation();
    if (sdlHost.windowGone) {
        // SDL would hide the window first and wait for the server to say it
        // is hidden, which for a window that no longer exists never comes;
        // the system takes the rest back when the game exits.
        sdlHost.window = nullptr;
        return;
    }
    if (sdlHost.window) SDL_DestroyWindow(sdlHost.window);
    sdlHost.window = nullptr;
    SDL_Quit();
}

int displayOfWindow() {
    const int display = SDL_GetWindowDisplayIndex(sdlHost.window);
    return display < 0 ? 0 : display;
}

// Full screen: the whole display from its top-left corner. A window manager
// is asked for it, so that it keeps panels off; without one nobody would act
// on that request, so the window is placed over the display directly.
void enterFullScreen(const SDL_Rect& bounds) {
    SDL_SetWindowBordered(sdlHost.window, SDL_FALSE);
    SDL_SetWindowPosition(sdlHost.window, bounds.x, bounds.y);
    SDL_SetWindowSize(sdlHost.window, bounds.w, bounds.h);
    if (sdlHost.windowManager) {
        SDL_SetWindowAlwaysOnTop(sdlHost.window, SDL_TRUE);
        SDL_SetWindowFullscreen(sdlHost.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

// A window: the largest whole multiple of 640 x 480 that fits, centred.
void enterWindow(int display) {
    SDL_Rect usable{0, 0, kScreenWidth, kScreenHeight};
    if (SDL_GetDisplayUsableBounds(display, &usable) != 0) SDL_GetDisplayBounds(display, &usable);
    const int scale = largestWholeScale(usable.w, usable.h);
    if (sdlHost.windowManager) {
        SDL_SetWindowFullscreen(sdlHost.window, 0);
        SDL_SetWindowAlwaysOnTop(sdlHost.window, SDL_FALSE);
        SDL_SetWindowBordered(sdlHost.window, SDL_TRUE);
    }
    SDL_SetWindowSize(sdlHost.window, kScreenWidth * scale, kScreenHeight * scale);
    SDL_SetWindowPosition(sdlHost.window, usable.x + (usable.w - kScreenWidth * scale) / 2,
                          usable.y + (usable.h - kScreenHeight * scale) / 2);
}

bool pointerOverPicture() {
    if (!sdlHost.pointerInWindow) return false;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlHost.window, &width, &height);
    const Rect box = letterboxRect(width, height);
    const Point p = sdlHost.cursorInWindow;
    return p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
}

}  // namespace

bool hostOpenWindow(void (*onDestroyed)()) {
    sdlHost = SdlState{};
    sdlHost.onDestroyed = onDestroyed;
    if (!displayNamed()) return false;
    // Without a Wayland display, trying one only costs time and, without
    // XDG_RUNTIME_DIR, prints a library's complaint.
    if (onlyXDisplayNamed()) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    takeXErrors();
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
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    // Made hidden, borderless and over the whole display, then given full
    // screen before it is first shown, so it never shows at another size.
    sdlHost.window =
        SDL_CreateWindow("nmnm", bounds.x, bounds.y, bounds.w, bounds.h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!sdlHost.window) {
        reportNoDisplay(SDL_GetError());
        SDL_Quit();
        return false;
    }
    setWindowIcon(sdlHost.window);
    sdlHost.windowManager = windowManagerRunning(sdlHost.window);
    enterFullScreen(bounds);
    if (!createPresentation()) {
        std::fprintf(stderr, "nmnm: cannot draw into the window: %s\n", SDL_GetError());
        destroyWindow();
        return false;
    }
    watchForWindowDestroyed(sdlHost.window);
    SDL_ShowWindow(sdlHost.window);
    SDL_RaiseWindow(sdlHost.window);
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    sdlHost.cursorInWindow = Point{x, y};
    sdlHost.pointerInWindow = SDL_GetMouseFocus() == sdlHost.window;
    return true;
}

void hostCloseWindow() {
    if (!sdlHost.window) return;
    // The game gives its display back before the pointer shows again.
    if (sdlHost.onDestroyed) sdlHost.onDestroyed();
    sdlHost.onDestroyed = nullptr;
    SDL_SetWindowGrab(sdlHost.window, SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
    destroyWindow();
}

void toggleFullScreen() {
    if (!sdlHost.window || sdlHost.windowGone) return;
    const int display = displayOfWindow();
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) return;
    if (sdlHost.fullScreen) {
        enterWindow(display);
    } else {
        enterFullScreen(bounds);
    }
    sdlHost.fullScreen = !sdlHost.fullScreen;
    updatePointer();
    redrawPicture();
}

void updatePointer() {
    if (!sdlHost.window || sdlHost.windowGone) return;
    const bool confine = sdlHost.active && sdlHost.fullScreen;
    if ((SDL_GetWindowGrab(sdlHost.window) == SDL_TRUE) != confine)
        SDL_SetWindowGrab(sdlHost.window, confine ? SDL_TRUE : SDL_FALSE);
    const bool hide = sdlHost.active && pointerOverPicture();
    if (hide != sdlHost.cursorHidden) {
        SDL_ShowCursor(hide ? SDL_DISABLE : SDL_ENABLE);
        sdlHost.cursorHidden = hide;
    }
}

// On a desktop the window is the display: it exists once openGameWindow has
// succeeded, and there is no mode to change or give back.
bool hostOpenDisplay() { return sdlHost.window != nullptr; }

bool hostSetDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) {
    return width == kScreenWidth && height == kScreenHeight && bitsPerPixel == 8;
}
