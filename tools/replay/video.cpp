#include "tools/replay/video.h"

#include <cstdlib>
#include <cstring>

#include "display/display_objects.h"

#ifdef _WIN32
#include <io.h>
#define popen _popen
#define pclose _pclose
#define isatty _isatty
constexpr char kPathSeparator = ';';
constexpr const char* kFfmpegName = "ffmpeg.exe";
constexpr const char* kPipeMode = "wb";  // a text pipe would turn every \n into \r\n
#else
#include <unistd.h>
constexpr char kPathSeparator = ':';
constexpr const char* kFfmpegName = "ffmpeg";
constexpr const char* kPipeMode = "w";
#endif

namespace {

// A gap longer than this (a recording whose window lost the focus) is shown
// for this long: nobody wants to watch a still picture for minutes.
constexpr uint32_t kLongestHold = 1000;

bool endsWith(const std::string& text, const char* tail) {
    const size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

bool fileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool ffmpegOnPath() {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string rest = path;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(kPathSeparator, start);
        if (end == std::string::npos) end = rest.size();
        const std::string folder = rest.substr(start, end - start);
        if (!folder.empty() && fileExists(folder + "/" + kFfmpegName)) return true;
        start = end + 1;
    }
    return false;
}

std::string quotedArgument(const std::string& text) {
#ifdef _WIN32
    return "\"" + text + "\"";
#else
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
#endif
}

std::string ffmpegCommand(const std::string& path) {
    // ffmpeg takes the animated PNG's own frame times (variable frame rate).
    std::string command = "ffmpeg -hide_banner -loglevel error -nostdin -y -f matroska -i - -fps_mode vfr ";
    if (endsWith(path, ".mp4")) {
        command += "-c:v libx264 -preset veryfast -crf 18 -pix_fmt yuv420p -movflags +faststart ";
    } else {
        command += "-c:v libvpx-vp9 -deadline realtime -cpu-used 8 -row-mt 1 -crf 30 -b:v 0 -pix_fmt yuv420p ";
    }
    return command + quotedArgument(path);
}

// Writes the waiting picture, shown for `delayMs`; the next one starts after it.
bool writePending(VideoWriter& v, uint32_t delayMs) {
    if (!v.havePending) return true;
    v.havePending = false;
    if (delayMs > kLongestHold) delayMs = kLongestHold;
    const bool ok = v.throughFfmpeg ? mkvAddFrame(v.mkv, v.pending.data(), v.palette, v.pendingMs)
                                    : apngAddFrame(v.apng, v.pending.data(), delayMs);
    v.pendingMs += delayMs;
    return ok;
}

}  // namespace

void enlargeIndices(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitch, int32_t scale,
                    std::vector<uint8_t>* out) {
    const size_t outWidth = static_cast<size_t>(width) * static_cast<size_t>(scale);
    out->resize(outWidth * static_cast<size_t>(height) * static_cast<size_t>(scale));
    uint8_t* dst = out->data();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(pitch);
        uint8_t* first = dst;
        for (int32_t x = 0; x < width; ++x) {
            std::memset(dst, row[x], static_cast<size_t>(scale));
            dst += scale;
        }
        for (int32_t r = 1; r < scale; ++r) {
            std::memcpy(dst, first, outWidth);
            dst += outWidth;
        }
    }
}

bool videoOpen(VideoWriter& v, const std::string& path, int32_t scale, uint64_t totalCalls, std::string* error,
               std::string* notice) {
    v.path = path;
    v.scale = scale;
    v.totalCalls = totalCalls;
    v.progressBar = totalCalls > 0 && isatty(2);
    const bool wantsEncoder = endsWith(path, ".webm") || endsWith(path, ".mp4");
    if (!wantsEncoder && !endsWith(path, ".png") && !endsWith(path, ".apng")) {
        *error = "--video " + path + ": name the video .webm, .mp4 or .png (animated PNG)";
        return false;
    }
    if (wantsEncoder && !ffmpegOnPath()) {
        v.path = path.substr(0, path.rfind('.')) + ".png";
        *notice = "ffmpeg was not found, so the run is written as an animated PNG to " + v.path +
                  " (install ffmpeg for " + path.substr(path.rfind('.')) + ")";
    } else if (wantsEncoder) {
        v.throughFfmpeg = true;
        v.out = popen(ffmpegCommand(path).c_str(), kPipeMode);
        if (!v.out) {
            *error = "cannot start ffmpeg for " + path + " (is it installed and on PATH?)";
            return false;
        }
        return true;
    }
    v.out = std::fopen(v.path.c_str(), "wb");
    if (!v.out) {
        *error = "cannot write video " + v.path + " (check that its folder exists and is writable)";
        return false;
    }
    return true;
}

bool videoAddFrame(VideoWriter& v, uint32_t tick) {
    const Surface* screen = displayObjects.primarySurface;
    if (!screen || !screen->palette) return false;
    if (!v.started) {
        v.started = true;
        // The colours stay as they are once the fade-in is over.
        std::memcpy(v.palette, screen->palette->entries, sizeof v.palette);
        const int32_t width = screen->width * v.scale;
        const int32_t height = screen->height * v.scale;
        if (v.throughFfmpeg ? !mkvBegin(v.mkv, v.out, width, height)
                            : !apngBegin(v.apng, v.out, width, height, v.palette, 0))
            return false;
    }
    if (!writePending(v, tick - v.pendingTick)) return false;
    enlargeIndices(screen->pixels.data(), screen->width, screen->height, screen->pitch, v.scale, &v.pending);
    v.pendingTick = tick;
    v.havePending = true;
    return true;
}

void videoProgress(VideoWriter& v, uint64_t call) {
    if (!v.progressBar) return;
    const int percent = static_cast<int>(call * 100 / v.totalCalls);
    if (percent == v.lastPercent) return;
    v.lastPercent = percent;
    char bar[41];
    const int filled = percent * 40 / 100;
    for (int i = 0; i < 40; ++i) bar[i] = i < filled ? '#' : '.';
    bar[40] = '\0';
    std::fprintf(stderr, "\r%s [%s] %3d%%", v.path.c_str(), bar, percent);
    if (percent == 100) std::fputc('\n', stderr);
    std::fflush(stderr);
}

bool videoClose(VideoWriter& v, uint32_t lastMs, std::string* error) {
    bool ok = v.out != nullptr;
    // A run without a single frame still shows the screen it started on.
    if (ok && !v.started) ok = videoAddFrame(v, 0);
    if (ok && v.throughFfmpeg) {
        // The last picture once more at the end, so that it is shown for its time too.
        const std::vector<uint8_t> last = v.pending;
        ok = writePending(v, lastMs) && mkvAddFrame(v.mkv, last.data(), v.palette, v.pendingMs);
    } else if (ok) {
        ok = writePending(v, lastMs) && apngFinish(v.apng);
    }
    if (v.progressBar && v.lastPercent != 100) std::fputc('\n', stderr);
    if (v.out) {
        const int closed = v.throughFfmpeg ? pclose(v.out) : std::fclose(v.out);
        if (closed != 0 && ok) {
            *error = v.throughFfmpeg ? "ffmpeg could not write " + v.path + " (see its message above)"
                                     : "cannot write video " + v.path + " (is the disk full?)";
            ok = false;
        }
        v.out = nullptr;
    }
    if (!ok && error->empty()) *error = "cannot write video " + v.path + " (is the disk full?)";
    return ok;
}
