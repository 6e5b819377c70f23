#include "platform/sdl/x11_display.h"

#include <SDL_syswm.h>

#include <cstring>

#include "platform/sdl/sdl_state.h"

namespace {

::Window watchedWindow = 0;
int (*xlibErrorHandler)(Display*, XErrorEvent*) = nullptr;

bool onX11(SDL_Window* window, SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}

void windowDestroyed() {
    sdlHost.windowGone = true;
    sdlHost.quitRequested = true;
}

// The window no longer exists: requests on it, and those about it that SDL
// still makes while it tidies up, fail, and are no reason to die. SDL wakes
// its event wait with messages sent to the window over a second connection,
// and one of those may reach the server just after the window is given back
// at the end; its error arrives when SDL closes that connection, after it has
// put back the handler it found at start, which is this one.
int onXError(Display* display, XErrorEvent* error) {
    const bool onWindow = watchedWindow != 0 && error->resourceid == watchedWindow &&
                          (error->error_code == BadWindow || error->error_code == BadDrawable);
    if (sdlHost.windowGone || onWindow) {
        windowDestroyed();
        return 0;
    }
    return xlibErrorHandler ? xlibErrorHandler(display, error) : 0;
}

// The window a window manager names as its own, or 0.
::Window supportingWindow(Display* display, ::Window on) {
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    ::Window found = 0;
    if (XGetWindowProperty(display, on, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_WINDOW && format == 32 && count == 1 && data) {
        found = static_cast<::Window>(reinterpret_cast<unsigned long*>(data)[0]);
    }
    if (data) XFree(data);
    return found;
}

bool lookupFailed = false;
int noteLookupError(Display*, XErrorEvent*) {
    lookupFailed = true;
    return 0;
}

}  // namespace

bool windowManagerRunning(SDL_Window* window) {
    SDL_SysWMinfo info;
    if (!onX11(window, info)) return true;  // elsewhere the compositor is the window manager
    Display* display = info.info.x11.display;
    const ::Window wm = supportingWindow(display, DefaultRootWindow(display));
    if (wm == 0) return false;
    // A manager that died leaves the root's property behind; its own window
    // is then gone, which the lookup reports as an error.
    XSync(display, False);
    lookupFailed = false;
    auto previous = XSetErrorHandler(noteLookupError);
    const ::Window self = supportingWindow(display, wm);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !lookupFailed && self == wm;
}

void takeXErrors() {
    auto previous = XSetErrorHandler(onXError);
    if (previous != onXError) xlibErrorHandler = previous;
}

void watchForWindowDestroyed(SDL_Window* window) {
    SDL_SysWMinfo info;
    if (!onX11(window, info)) return;
    watchedWindow = info.info.x11.window;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void noteWindowSystemEvent(const SDL_Event& event) {
    const SDL_SysWMmsg* message = event.syswm.msg;
    if (!message || message->subsystem != SDL_SYSWM_X11) return;
    const XEvent& x = message->msg.x11.event;
    if (x.type == DestroyNotify && watchedWindow != 0 && x.xdestroywindow.window == watchedWindow) windowDestroyed();
}
