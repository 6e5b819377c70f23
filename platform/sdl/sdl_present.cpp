#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/host.h"
#include "platform/common/picture_changes.h"
#include "platform/common/picture_fit.h"
#include "platform/common/present_convert.h"
#include "platform/sdl/framebuffer_present.h"
#include "platform/sdl/render_node.h"
#include "platform/sdl/sdl_state.h"

// Two ways to the screen. With a graphics processor the 640 x 480 picture goes
// into a streaming texture and the processor stretches it, with vertical sync.
// Without one, the picture is stretched while it is converted, straight into
// the window's own framebuffer (shared memory on X11), in the window's own
// pixel format: a software OpenGL would cost several times the CPU and some
// 50 MB of memory. Either way only the parts of the picture that changed
// since the last frame are converted and sent.
namespace {

// The picture last presented, kept so that it can be shown again after the
// window is exposed or resized; the display only lends its bytes for a call.
std::vector<uint8_t> shownPixels;
PaletteEntry shownColours[256];
bool havePicture = false;

FramebufferPresenter framebufferPresenter;
PictureChanges textureChanges;
bool textureColoursValid = false;
PaletteEntry textureColours[256];
std::vector<Rect> changedRects;
std::vector<SDL_Rect> sendRects;

IndexedPicture shownPicture() {
    return IndexedPicture{shownPixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, shownColours};
}

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

void updateTexture() {
    const IndexedPicture picture = shownPicture();
    collectPictureChanges(textureChanges, picture, changedRects);
    if (!textureColoursValid || std::memcmp(textureColours, shownColours, sizeof textureColours) != 0 ||
        !sdlHost.pictureShown) {
        changedRects.assign(1, Rect{0, 0, kScreenWidth, kScreenHeight});
        std::memcpy(textureColours, shownColours, sizeof textureColours);
        textureColoursValid = true;
    }
    if (changedRects.empty()) return;
    // The bounding box of the changed parts: one texture upload per frame.
    const Rect box = boundingBox(changedRects);
    const SDL_Rect area{box.left, box.top, box.right - box.left, box.bottom - box.top};
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdlHost.texture, &area, &pixels, &pitch) != 0) return;
    const IndexedPicture part{picture.pixels + static_cast<size_t>(box.top) * kScreenWidth + box.left, kScreenWidth,
                              area.w, area.h, shownColours};
    convertToRgb32(part, static_cast<uint32_t*>(pixels),
                   static_cast<int32_t>(pitch / static_cast<int>(sizeof(uint32_t))));
    SDL_UnlockTexture(sdlHost.texture);
    sdlHost.pictureShown = true;
}

void showWithTexture(bool pictureChanged) {
    if (pictureChanged && havePicture) updateTexture();
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

void showInFramebuffer(bool redrawAll) {
    SDL_Surface* surface = SDL_GetWindowSurface(sdlHost.window);
    if (!surface) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const Framebuffer framebuffer{static_cast<uint8_t*>(surface->pixels), surface->pitch, surface->w, surface->h,
                                  surface->format->BytesPerPixel};
    std::vector<Rect>& sent = changedRects;
    if (havePicture) {
        uint32_t pixelOf[256];
        for (int i = 0; i < 256; ++i)
            pixelOf[i] = SDL_MapRGB(surface->format, shownColours[i].red, shownColours[i].green, shownColours[i].blue);
        presentToFramebuffer(framebufferPresenter, shownPicture(), pixelOf, framebuffer, redrawAll, sent);
        sdlHost.pictureShown = true;
    } else {
        // Nothing to show yet: black. After the display has gone, what the
        // framebuffer holds is shown again.
        if (!sdlHost.pictureShown) SDL_FillRect(surface, nullptr, 0);
        forgetFramebuffer(framebufferPresenter);
        sent.assign(1, Rect{0, 0, surface->w, surface->h});
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (sent.empty()) return;
    sendRects.clear();
    for (const Rect& r : sent) sendRects.push_back(SDL_Rect{r.left, r.top, r.right - r.left, r.bottom - r.top});
    SDL_UpdateWindowSurfaceRects(sdlHost.window, sendRects.data(), static_cast<int>(sendRects.size()));
}

void show(bool pictureChanged, bool redrawAll) {
    if (sdlHost.windowGone) return;
    if (sdlHost.renderer) {
        showWithTexture(pictureChanged);
    } else if (sdlHost.window) {
        showInFramebuffer(redrawAll);
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
    if (!framebufferPixelSizeSupported(SDL_BYTESPERPIXEL(format))) {
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
    textureColoursValid = false;
    forgetShownPicture(textureChanges);
    framebufferPresenter = FramebufferPresenter{};
}

void redrawPicture() { show(false, true); }

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height, const PaletteEntry colours[256]) {
    if (!pixels || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    shownPixels.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(shownPixels.data() + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    std::memcpy(shownColours, colours, sizeof shownColours);
    havePicture = true;
    show(true, false);
}

// The display objects go away after this: forget the picture, keep what the
// window shows.
void hostCloseDisplay() { havePicture = false; }
