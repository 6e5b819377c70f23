#include <SDL.h>

#include <cstring>
#include <vector>

#include "platform/common/present_convert.h"
#include "base/host.h"
#include "platform/common/picture_fit.h"
#include "platform/sdl/sdl_state.h"

// Two ways to the screen. With a graphics processor the 640 x 480 picture goes
// into a streaming texture and the processor stretches it, with vertical sync.
// Without one, the picture is stretched while it is converted, straight into
// the window's own framebuffer (shared memory on X11): a software renderer
// would add a full-screen copy per frame, and SDL's generic stretch or a
// software OpenGL cost several times more CPU.
namespace {

// The picture last presented, kept so that it can be shown again after the
// window is exposed or resized; the display only lends its bytes for a call.
std::vector<uint8_t> shownPixels;
PaletteEntry shownColours[256];
bool havePicture = false;

IndexedPicture shownPicture() {
    return IndexedPicture{shownPixels.data(), kScreenWidth, kScreenWidth, kScreenHeight, shownColours};
}
ScaleMap scaleMap;

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
    return std::strstr(text, "llvmpipe") || std::strstr(text, "softpipe") ||
           std::strstr(text, "Software Rasterizer") || std::strstr(text, "swrast");
}

bool createAcceleratedRenderer() {
    sdlHost.renderer =
        SDL_CreateRenderer(sdlHost.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!sdlHost.renderer) return false;
    if (!runsOnSoftwareOpenGl(sdlHost.renderer)) {
        sdlHost.texture = SDL_CreateTexture(sdlHost.renderer, SDL_PIXELFORMAT_RGB888,
                                        SDL_TEXTUREACCESS_STREAMING, kScreenWidth, kScreenHeight);
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

// The window's framebuffer, when it has the 32-bit pixels the conversion
// writes; null otherwise.
SDL_Surface* windowFramebuffer() {
    SDL_Surface* surface = SDL_GetWindowSurface(sdlHost.window);
    if (!surface) return nullptr;
    const Uint32 format = surface->format->format;
    if (format != SDL_PIXELFORMAT_RGB888 && format != SDL_PIXELFORMAT_ARGB8888) return nullptr;
    return surface;
}

void showWithTexture(bool pictureChanged) {
    if (pictureChanged && havePicture) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(sdlHost.texture, nullptr, &pixels, &pitch) == 0) {
            convertToRgb32(shownPicture(), static_cast<uint32_t*>(pixels),
                           static_cast<int32_t>(pitch / static_cast<int>(sizeof(uint32_t))));
            SDL_UnlockTexture(sdlHost.texture);
            sdlHost.pictureShown = true;
        }
    }
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

// Always converts again: the framebuffer may have been made anew for a new
// window size, and the conversion is the whole cost anyway.
void showInFramebuffer() {
    SDL_Surface* surface = windowFramebuffer();
    if (!surface) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const Rect box = letterboxRect(surface->w, surface->h);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    // Black bars only; the picture covers the rest.
    const SDL_Rect bars[4] = {
        {0, 0, surface->w, box.top},
        {0, box.bottom, surface->w, surface->h - box.bottom},
        {0, box.top, box.left, height},
        {box.right, box.top, surface->w - box.right, height},
    };
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, 0);
    }
    if (havePicture && width > 0 && height > 0) {
        makeScaleMap(scaleMap, kScreenWidth, kScreenHeight, width, height);
        const int32_t pitchInPixels = surface->pitch / static_cast<int>(sizeof(uint32_t));
        uint32_t* topLeft = static_cast<uint32_t*>(surface->pixels) +
                            static_cast<size_t>(box.top) * static_cast<size_t>(pitchInPixels) +
                            static_cast<size_t>(box.left);
        convertScaledToRgb32(shownPicture(), scaleMap, topLeft, pitchInPixels);
        sdlHost.pictureShown = true;
    } else if (!sdlHost.pictureShown) {
        SDL_FillRect(surface, nullptr, 0);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(sdlHost.window);
}

void show(bool pictureChanged) {
    if (sdlHost.renderer) {
        showWithTexture(pictureChanged);
    } else if (sdlHost.window) {
        showInFramebuffer();
    }
}

}  // namespace

bool createPresentation() {
    if (createAcceleratedRenderer()) return true;
    // The native framebuffer, not one SDL would emulate through OpenGL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!windowFramebuffer()) {
        if (!SDL_GetError()[0]) SDL_SetError("the window's framebuffer has no 32-bit format");
        return false;
    }
    return true;
}

void destroyPresentation() {
    if (sdlHost.texture) SDL_DestroyTexture(sdlHost.texture);
    if (sdlHost.renderer) SDL_DestroyRenderer(sdlHost.renderer);
    sdlHost.texture = nullptr;
    sdlHost.renderer = nullptr;
    sdlHost.pictureShown = false;
    havePicture = false;
    scaleMap = ScaleMap{};
}

void redrawPicture() { show(false); }

void hostPresent(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                 const PaletteEntry colours[256]) {
    if (!pixels || width != kScreenWidth || height != kScreenHeight || pitch < width) return;
    shownPixels.resize(static_cast<size_t>(kScreenWidth) * kScreenHeight);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(shownPixels.data() + static_cast<size_t>(y) * kScreenWidth,
                    pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch), static_cast<size_t>(width));
    std::memcpy(shownColours, colours, sizeof shownColours);
    havePicture = true;
    show(true);
}

// The display objects go away after this: forget the picture, keep what the
// window shows.
void hostCloseDisplay() { havePicture = false; }
