#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/host.h"
#include "platform/common/picture_enlarge.h"
#include "platform/common/picture_fit.h"
#include "platform/common/present_step.h"
#include "platform/sdl/render_node.h"
#include "platform/sdl/sdl_state.h"

// Two ways to the screen. With a graphics processor the 640 x 480 picture goes
// into a streaming texture and the processor stretches it, with vertical sync.
// Without one, the picture is stretched while it is converted, straight into
// the window's own framebuffer (shared memory on X11), in the window's own
// pixel format: a software OpenGL would cost several times the CPU and some
// 50 MB of memory. Either way the presenting step says what changed since
// the last frame, and only that is converted and sent.
namespace {

// What the texture or the framebuffer was last sent; its copy of the picture
// is shown again after the window is exposed or resized, as the display only
// lends its bytes for a call.
PresentStep step;
bool havePicture = false;
Enlargement enlargement;  // the framebuffer's stretch
uint32_t pixelOf[256];    // the colours as framebuffer pixels
std::vector<SDL_Rect> sendRects;

// Mesa's software rasterisers: an OpenGL renderer on them burns the CPU a
// graphics processor would spare.
bool runsOnSoftwareOpenGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
    if (std::strncmp(info.name, "opengl", 6) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (!getString) return false;
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString(kGlRenderer);
    if (!name) return false;
    const char* text = reinterpret_cast<const char*>(name);
    return std::strstr(text, "llvmpipe") || std::strstr(text, "softpipe") || std::strstr(text, "Software Rasterizer") ||
           std::strstr(text, "swrast");
}

// `acceptSoftware`: the window system has no framebuffer of its own, so even
// a software OpenGL is better than nothing.
bool createAcceleratedRenderer(bool acceptSoftware) {
    sdlHost.renderer = SDL_CreateRenderer(sdlHost.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!sdlHost.renderer) return false;
    if (acceptSoftware || !runsOnSoftwareOpenGl(sdlHost.renderer)) {
        sdlHost.texture = SDL_CreateTexture(sdlHost.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                            kScreenWidth, kScreenHeight);
        if (sdlHost.texture) {
            SDL_SetTextureScaleMode(sdlHost.texture, SDL_ScaleModeNearest);
            return true;
        }
    }
    if (sdlHost.texture) SDL_DestroyTexture(sdlHost.texture);
    SDL_DestroyRenderer(sdlHost.renderer);
    sdlHost.texture = nullptr;
    sdlHost.renderer = nullptr;
    return false;
}

void updateTexture(PresentSend send) {
    if (send == PresentSend::Nothing) return;
    // The bounding box of the changed parts: one texture upload per frame.
    const Rect box = boundingBox(step.parts);
    const SDL_Rect area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlHost.texture, &area, &pixels, &pitch) != 0) {
        forgetScreen(step);
        return;
    }
    const IndexedPicture picture = lastPicture(step);
    const IndexedPicture part{picture.pixels + static_cast<size_t>(box.top) * picture.pitch + box.left, picture.pitch,
                              area.w, area.h, picture.colours};
    convertPicture(part, PixelOrder::Xrgb32, static_cast<uint32_t*>(pixels),
                   static_cast<int32_t>(pitch / static_cast<int>(sizeof(uint32_t))));
    SDL_UnlockTexture(sdlHost.texture);
    sdlHost.pictureShown = true;
}

void showWithTexture(const IndexedPicture* incoming) {
    if (incoming) updateTexture(planPresent(step, *incoming, kScreenWidth, kScreenHeight));
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(sdlHost.renderer, &width, &height) != 0) return;
    SDL_SetRenderDrawColor(sdlHost.renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdlHost.renderer);
    if (sdlHost.pictureShown) {
        const Rect box = letterboxRect(width, height);
        const SDL_Rect target{box.left, box.top, box.right - box.left, box.bottom - box.top};
        SDL_RenderCopy(sdlHost.renderer, sdlHost.texture, nullptr, &target);
    }
    SDL_RenderPresent(sdlHost.renderer);
}

void clearRows(SDL_Surface* surface, int32_t top, int32_t bottom, int32_t left, int32_t right) {
    if (left >= right || top >= bottom) return;
    SDL_Rect r{left, top, right - left, bottom - top};
    SDL_FillRect(surface, &r, 0);
}

void addSend(const Rect& r) {
    if (r.left < r.right && r.top < r.bottom)
        sendRects.push_back(SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
}

// The picture stretched into the framebuffer over the letterbox: the parts
// the step names, or everything with the bars.
void drawInFramebuffer(SDL_Surface* surface, PresentSend send) {
    const Rect box = letterboxRect(surface->w, surface->h);
    const IndexedPicture picture = lastPicture(step);
    const int32_t bytes = surface->format->BytesPerPixel;
    if (send == PresentSend::Everything) {
        for (int i = 0; i < 256; ++i)
            pixelOf[i] = SDL_MapRGB(surface->format, step.colours[i].red, step.colours[i].green, step.colours[i].blue);
        clearRows(surface, 0, box.top, 0, surface->w);
        clearRows(surface, box.bottom, surface->h, 0, surface->w);
        clearRows(surface, box.top, box.bottom, 0, box.left);
        clearRows(surface, box.top, box.bottom, box.right, surface->w);
        addSend(Rect{0, 0, surface->w, surface->h});
    }
    prepareEnlargement(enlargement, picture.width, picture.height, box.right - box.left, box.bottom - box.top,
                       windowSource);
    for (const Rect& part : step.parts) {
        const Rect d = enlargedRect(enlargement, part);
        if (d.left >= d.right) continue;
        uint8_t* at = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(box.top + d.top) * surface->pitch +
                      static_cast<size_t>(box.left + d.left) * static_cast<size_t>(bytes);
        enlargeArea(enlargement, picture, pixelOf, d, at, surface->pitch, bytes);
        if (send == PresentSend::Parts)
            addSend(Rect{box.left + d.left, box.top + d.top, box.left + d.right, box.top + d.bottom});
    }
}

// `incoming`: a new picture; none to show the last one again, whole.
void showInFramebuffer(const IndexedPicture* incoming) {
    SDL_Surface* surface = SDL_GetWindowSurface(sdlHost.window);
    if (!surface) {
        if (incoming) planPresent(step, *incoming, 0, 0);  // the copy, for later
        forgetScreen(step);
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    sendRects.clear();
    if (havePicture) {
        if (!incoming) forgetScreen(step);
        drawInFramebuffer(surface, planPresent(step, incoming ? *incoming : lastPicture(step), surface->w, surface->h));
        sdlHost.pictureShown = true;
    } else {
        // Nothing to show yet: black. After the display has gone, what the
        // framebuffer holds is shown again.
        if (!sdlHost.pictureShown) SDL_FillRect(surface, nullptr, 0);
        forgetScreen(step);
        addSend(Rect{0, 0, surface->w, surface->h});
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (sendRects.empty()) return;
    SDL_UpdateWindowSurfaceRects(sdlHost.window, sendRects.data(), static_cast<int>(sendRects.size()));
}

void show(const IndexedPicture* incoming) {
    if (sdlHost.windowGone) {
        if (incoming) planPresent(step, *incoming, 0, 0);  // the copy, for later
        forgetScreen(step);
    } else if (sdlHost.renderer) {
        showWithTexture(incoming);
    } else if (sdlHost.window) {
        showInFramebuffer(incoming);
    }
}

}  // namespace

bool createPresentation() {
    // SDL would otherwise put the window's framebuffer on an OpenGL texture,
    // loading the OpenGL driver to find out whether it is worth it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool x11 = driver && std::strcmp(driver, "x11") == 0;
    if ((!x11 || graphicsDevicePresent()) && createAcceleratedRenderer(!x11)) return true;
    if (!x11) {
        SDL_SetError("no OpenGL renderer for %s (%s); install libgl1-mesa-dri and libegl-mesa0",
                     driver ? driver : "the display", SDL_GetError());
        return false;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(sdlHost.window);
    const Uint32 format = surface ? surface->format->format : SDL_GetWindowPixelFormat(sdlHost.window);
    // The pixel sizes the enlarger writes.
    const int bytes = SDL_BYTESPERPIXEL(format);
    if (bytes != 2 && bytes != 3 && bytes != 4) {
        SDL_SetError(
            "the X display's colour depth (%s) is not one of 15, 16, 24 or 32 bits; run the X server "
            "at one of those depths",
            format == SDL_PIXELFORMAT_UNKNOWN ? "unknown to SDL" : SDL_GetPixelFormatName(format));
        return false;
    }
    return surface != nullptr;
}

void destroyPresentation() {
    if (sdlHost.texture) SDL_DestroyTexture(sdlHost.texture);
    if (sdlHost.renderer) SDL_DestroyRenderer(sdlHost.renderer);
    sdlHost.texture = nullptr;
    sdlHost.renderer = nullptr;
    sdlHost.pictureShown = false;
    havePicture = false;
    forgetScreen(step);
}

void redrawPicture() { show(nullptr); }

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || !colours || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    havePicture = true;
    const IndexedPicture picture{pixels, pitch, width, height, colours};
    show(&picture);
}

// The display objects go away after this: forget the picture, keep what the
// window shows.
void hostCloseDisplay() { havePicture = false; }
