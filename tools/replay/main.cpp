// nmnm-replay: runs the game without a window from a run file or script of
// clock, mouse and key readings (or from the built-in player), writing a
// state trace, screenshots, or frame timings.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "display/display_setup.h"
#include "game/run_file.h"
#include "game/run_record.h"
#include "game/start_up.h"
#include "game/world.h"
#include "tools/replay/autoplay.h"
#include "tools/replay/bench.h"
#include "tools/replay/replay.h"
#include "tools/replay/video.h"

namespace {

constexpr const char* kUsage =
    "usage: nmnm-replay --script FILE [--trace OUT.jsonl] [--screenshot CALL:OUT.png]... [--write-script OUT]\n"
    "       nmnm-replay --autoplay N [--trace OUT.jsonl] [--screenshot CALL:OUT.png]... [--write-script OUT]\n"
    "       nmnm-replay --video OUT.webm|OUT.mp4|OUT.png [--scale N] FILE\n"
    "       nmnm-replay --bench [--autoplay N] [--record OUT]\n"
    "FILE: a run the game recorded, or a script of lines TICK X Y KEYS [TICK2 [TICK3]] [*COUNT]\n"
    "(KEYS '-' or letters L U D; the call's clock readings in turn; COUNT calls alike);\n"
    "'#' starts a comment line.\n"
    "--write-script writes the input of every call made as a script (the player's play, for one).\n"
    "--video writes the pictures at the run's own frame times, enlarged --scale times (default 2),\n"
    "through ffmpeg (an animated PNG where ffmpeg is missing). A lone FILE is the same as --script FILE.\n"
    "--bench --record OUT times the frames while the game records them into OUT, as it does in play.\n"
    "hk.bmp and pt.bmp are looked up as the game looks them up (current directory first).\n";

struct Options {
    std::string script;
    std::string trace;
    std::string writeScript;
    std::string video;
    std::string record;  // --bench only
    int32_t scale = 2;
    std::vector<ScreenshotRequest> screenshots;
    uint64_t autoplay = 0;
    bool haveAutoplay = false;
    bool bench = false;
};

int usageError(const std::string& message) {
    std::cerr << "nmnm-replay: " << message << "\n" << kUsage;
    return 2;
}

// Returns -1 when the options are sound, otherwise the exit code.
int parseOptions(int argc, char** argv, Options* o) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--bench") {
            o->bench = true;
            continue;
        }
        if (arg.size() > 0 && arg[0] != '-' && o->script.empty()) {
            o->script = arg;  // a run file handed over alone, as a file manager does
            continue;
        }
        if (arg != "--script" && arg != "--trace" && arg != "--screenshot" && arg != "--autoplay" &&
            arg != "--write-script" && arg != "--video" && arg != "--scale" && arg != "--record")
            return usageError("unknown option '" + std::string(arg) + "'");
        if (i + 1 >= argc) return usageError(std::string(arg) + " needs a value");
        const std::string_view value = argv[++i];
        if (arg == "--script") {
            o->script = value;
        } else if (arg == "--trace") {
            o->trace = value;
        } else if (arg == "--write-script") {
            o->writeScript = value;
        } else if (arg == "--video") {
            o->video = value;
        } else if (arg == "--record") {
            o->record = value;
        } else if (arg == "--scale") {
            const char* end = value.data() + value.size();
            const auto [ptr, ec] = std::from_chars(value.data(), end, o->scale, 10);
            if (ec != std::errc{} || ptr != end || o->scale < 1 || o->scale > kMaxVideoScale)
                return usageError("--scale wants a whole number from 1 to " + std::to_string(kMaxVideoScale));
        } else if (arg == "--screenshot") {
            ScreenshotRequest shot;
            if (!parseScreenshotRequest(value, &shot))
                return usageError("--screenshot wants CALL:OUT.png, got '" + std::string(value) + "'");
            o->screenshots.push_back(shot);
        } else {
            const char* end = value.data() + value.size();
            const auto [ptr, ec] = std::from_chars(value.data(), end, o->autoplay, 10);
            if (ec != std::errc{} || ptr != end) return usageError("--autoplay wants a number of calls");
            o->haveAutoplay = true;
        }
    }
    if (o->bench) {
        if (!o->script.empty() || !o->trace.empty() || !o->screenshots.empty() || !o->writeScript.empty() ||
            !o->video.empty())
            return usageError("--bench takes only --autoplay N (the number of frames) and --record OUT");
        return -1;
    }
    if (!o->record.empty()) return usageError("--record goes with --bench only");
    if (o->script.empty() == !o->haveAutoplay) return usageError("give exactly one of --script FILE and --autoplay N");
    return -1;
}

bool writeToFile(const char* bytes, size_t size, void* file) {
    return std::fwrite(bytes, 1, size, static_cast<std::FILE*>(file)) == size;
}

bool readScript(const std::string& path, RunFile* run) {
    std::string error;
    if (!loadRunFile(path, run, &error)) {
        std::cerr << "nmnm-replay: " << path << ": " << error << "\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const int code = parseOptions(argc, argv, &options); code >= 0) return code;

    // The whole script is checked before anything runs, so a bad line never
    // leaves half a trace behind.
    RunFile run;
    if (!options.script.empty() && !readScript(options.script, &run)) return 1;
    const std::vector<RunCall>& calls = run.calls;

    std::ofstream traceFile;
    if (!options.trace.empty()) {
        traceFile.open(options.trace, std::ios::binary | std::ios::trunc);
        if (!traceFile) {
            std::cerr << "nmnm-replay: cannot write trace " << options.trace << " (check the folder exists)\n";
            return 1;
        }
    }

    std::ofstream scriptOut;
    if (!options.writeScript.empty()) {
        scriptOut.open(options.writeScript, std::ios::binary | std::ios::trunc);
        if (!scriptOut) {
            std::cerr << "nmnm-replay: cannot write script " << options.writeScript << " (check the folder exists)\n";
            return 1;
        }
    }

    if (!initDisplay()) {
        std::cerr << "nmnm-replay: display setup failed\n";
        releaseDisplay();
        return 1;
    }

    int status = 0;
    if (options.bench) {
        std::FILE* record = options.record.empty() ? nullptr : std::fopen(options.record.c_str(), "wb");
        if (!options.record.empty() && !record) {
            std::cerr << "nmnm-replay: cannot write " << options.record << " (check the folder exists)\n";
            releaseDisplay();
            return 1;
        }
        if (record) startRunRecording(RunHeader{true, kRunFormatVersion, NMNM_VERSION, "bench"}, writeToFile, record);
        printBench(runBench(options.haveAutoplay ? options.autoplay : 10000), std::cout);
        if (record && (!stopRunRecording() || std::fclose(record) != 0)) {
            std::cerr << "nmnm-replay: cannot write " << options.record << " (is the disk full?)\n";
            status = 1;
        }
    } else {
        ReplaySession session;
        session.trace = options.trace.empty() ? nullptr : &traceFile;
        session.screenshots = options.screenshots;
        bool ok = replayBegin(session);
        VideoWriter video;
        if (ok && !options.video.empty()) {
            std::string notice;
            const uint64_t total = options.haveAutoplay ? options.autoplay : calls.size();
            ok = videoOpen(video, options.video, options.scale, total, &session.error, &notice);
            if (!notice.empty()) std::cerr << "nmnm-replay: " << notice << "\n";
        }
        // Each call's input is written out before it runs, so the script
        // replays exactly the calls made.
        auto call = [&](const RunCall& input) {
            if (scriptOut.is_open()) scriptOut << formatRunCall(input);
            bool callOk = replayCall(session, input);
            if (callOk && !options.video.empty()) {
                if (session.lastFrameRan) callOk = videoAddFrame(video, world.lastFrameTick);
                videoProgress(video, session.calls);
                if (!callOk) session.error = "cannot write video " + video.path + " (is the disk full?)";
            }
            return callOk;
        };
        if (options.haveAutoplay) {
            AutoplayPlayer player;
            for (uint64_t i = 0; ok && i < options.autoplay; ++i) ok = call(autoplayNext(player, world));
        } else {
            for (size_t i = 0; ok && i < calls.size(); ++i) ok = call(calls[i]);
        }
        if (!options.video.empty() && video.out && !videoClose(video, world.frameInterval, &session.error)) ok = false;
        if (ok) ok = replayEnd(session);
        if (ok && scriptOut.is_open()) {
            scriptOut.flush();
            if (!scriptOut) {
                session.error = "cannot write script " + options.writeScript + " (is the disk full?)";
                ok = false;
            }
        }
        if (!ok) {
            std::cerr << "nmnm-replay: " << session.error << "\n";
            status = 1;
        }
    }
    releaseDisplay();
    return status;
}
