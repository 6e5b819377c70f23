#include <SDL.h>

#include <cstring>

#include "display/present_convert.h"
#include "platform/host.h"
#include "platform/picture_fit.h"
#include "platform/scaled_convert.h"
#include "platform/sdl/sdl_state.h"

// Two ways to the screen. With a graphics processor the 640 x 480 picture goes
// into a streaming texture and the processor stretches it. Without one, the
// stretch is done while converting, into a texture of the shown size, and the
// software renderer copies it straight to the window: stretching through SDL's
// generic blit, or through a software OpenGL, costs several times more CPU.
namespace {

const Surface* lastPicture = nullptr;  // valid while the display is open
const Palette* lastPalette = nullptr;
bool scaleWhileConverting = false;
int textureWidth = 0;
int textureHeight = 0;
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

SDL_Renderer* createRenderer() {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer && runsOnSoftwareOpenGl(renderer)) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (renderer) return renderer;
    // Present the window's own framebuffer directly (shared memory on X11)
    // rather than through yet another OpenGL context.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(sdl.window, -1, SDL_RENDERER_SOFTWARE);
}

// The streaming texture at the size it must have now; remade when it changes.
bool ensureTexture(int width, int height) {
    if (sdl.texture && textureWidth == width && textureHeight == height) return true;
    if (sdl.texture) SDL_DestroyTexture(sdl.texture);
    sdl.texture = nullptr;
    if (width <= 0 || height <= 0) return false;
    // No alpha channel: the copy to the screen is then a plain copy, not a blend.
    sdl.texture = SDL_CreateTexture(sdl.renderer, SDL_PIXELFORMAT_RGB888,
                                    SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!sdl.texture) return false;
    SDL_SetTextureScaleMode(sdl.texture, SDL_ScaleModeNearest);
    textureWidth = width;
    textureHeight = height;
    return true;
}

bool fillTexture(const Rect& box) {
    const int width = scaleWhileConverting ? box.right - box.left : kPictureWidth;
    const int height = scaleWhileConverting ? box.bottom - box.top : kPictureHeight;
    if (!ensureTexture(width, height)) return false;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdl.texture, nullptr, &pixels, &pitch) != 0) return false;
    const int32_t pitchInPixels = static_cast<int32_t>(pitch / static_cast<int>(sizeof(uint32_t)));
    if (scaleWhileConverting) {
        makeScaleMap(scaleMap, lastPicture->width, lastPicture->height, width, height);
        convertScaledToRgb32(*lastPicture, *lastPalette, scaleMap, static_cast<uint32_t*>(pixels),
                             pitchInPixels);
    } else {
        convertToRgb32(*lastPicture, *lastPalette, static_cast<uint32_t*>(pixels), pitchInPixels);
    }
    SDL_UnlockTexture(sdl.texture);
    return true;
}

// Black bars around the picture only: clearing the whole output first would
// double the work of a software renderer.
void drawBars(const Rect& box, int width, int height) {
    SDL_SetRenderDrawColor(sdl.renderer, 0, 0, 0, 255);
    const SDL_Rect bars[4] = {
        {0, 0, width, box.top},
        {0, box.bottom, width, height - box.bottom},
        {0, box.top, box.left, box.bottom - box.top},
        {box.right, box.top, width - box.right, box.bottom - box.top},
    };
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0) SDL_RenderFillRect(sdl.renderer, &bar);
    }
}

void show(bool pictureChanged) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(sdl.renderer, &width, &height) != 0) return;
    const Rect box = letterboxRect(width, height);
    const bool sizeChanged = scaleWhileConverting && (box.right - box.left != textureWidth ||
                                                      box.bottom - box.top != textureHeight);
    bool havePicture = sdl.pictureShown;
    if (lastPicture && (pictureChanged || sizeChanged)) havePicture = fillTexture(box);
    sdl.pictureShown = havePicture;
    if (havePicture) {
        drawBars(box, width, height);
        const SDL_Rect target{box.left, box.top, box.right - box.left, box.bottom - box.top};
        SDL_RenderCopy(sdl.renderer, sdl.texture, nullptr, &target);
    } else {
        SDL_SetRenderDrawColor(sdl.renderer, 0, 0, 0, 255);
        SDL_RenderClear(sdl.renderer);
    }
    SDL_RenderPresent(sdl.renderer);
}

}  // namespace

bool createPresentation() {
    sdl.renderer = createRenderer();
    if (!sdl.renderer) return false;
    SDL_RendererInfo info;
    scaleWhileConverting =
        SDL_GetRendererInfo(sdl.renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE);
    if (!scaleWhileConverting && !ensureTexture(kPictureWidth, kPictureHeight)) return false;
    return true;
}

void destroyPresentation() {
    if (sdl.texture) SDL_DestroyTexture(sdl.texture);
    if (sdl.renderer) SDL_DestroyRenderer(sdl.renderer);
    sdl.texture = nullptr;
    sdl.renderer = nullptr;
    sdl.pictureShown = false;
    textureWidth = 0;
    textureHeight = 0;
    lastPicture = nullptr;
    lastPalette = nullptr;
}

void redrawPicture() {
    if (sdl.renderer) show(false);
}

void hostPresent(const Surface& primary, const Palette& palette) {
    if (!sdl.renderer) return;
    if (primary.width != kPictureWidth || primary.height != kPictureHeight) return;
    lastPicture = &primary;
    lastPalette = &palette;
    show(true);
}

// The display objects go away after this: forget the picture, keep what the
// window shows.
void hostCloseDisplay() {
    lastPicture = nullptr;
    lastPalette = nullptr;
}
