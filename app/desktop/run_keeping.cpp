#include "app/desktop/run_keeping.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "game/run_record.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kRunSuffix = ".nmnm-run";

std::FILE* runFile = nullptr;
fs::path keptPath;  // empty for --record FILE

bool writeToFile(const char* bytes, size_t size, void*) {
    // Written through at once: the recorder's own buffer is what keeps this rare.
    return std::fwrite(bytes, 1, size, runFile) == size && std::fflush(runFile) == 0;
}

fs::path runsFolder() {
#ifdef _WIN32
    const char* local = std::getenv("LOCALAPPDATA");
    if (local && *local) return fs::path(local) / "nmnm" / "runs";
#else
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data == '/') return fs::path(data) / "nmnm" / "runs";
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".local" / "share" / "nmnm" / "runs";
#endif
    return {};
}

// Keeps the newest kKeptRuns - 1 runs, so that with this one there are kKeptRuns.
// The names begin with the date and time, so their order is their age.
void removeOldRuns(const fs::path& folder) {
    std::vector<fs::path> runs;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() == kRunSuffix && it->is_regular_file(ec)) runs.push_back(p);
    }
    std::sort(runs.begin(), runs.end());
    for (size_t i = 0; i + (kKeptRuns - 1) < runs.size(); ++i) fs::remove(runs[i], ec);
}

std::string startTime() {
    const std::time_t now = std::time(nullptr);
    char text[32] = "run";
    if (const std::tm* local = std::localtime(&now)) std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", local);
    return text;
}

}  // namespace

bool beginRunKeeping(const char* recordPath, const char* platform) {
    fs::path path;
    if (recordPath) {
        path = recordPath;
    } else {
        const fs::path folder = runsFolder();
        std::error_code ec;
        if (folder.empty() || (fs::create_directories(folder, ec), ec)) {
            std::fprintf(stderr, "nmnm: cannot keep this run in %s (%s); set a writable data folder to keep runs\n",
                         folder.empty() ? "a data folder (no HOME)" : folder.string().c_str(),
                         ec ? ec.message().c_str() : "not set");
            return true;
        }
        removeOldRuns(folder);
        const std::string stem = startTime();
        path = folder / (stem + kRunSuffix);
        for (int n = 2; fs::exists(path, ec) && n < 100; ++n)
            path = folder / (stem + "-" + std::to_string(n) + kRunSuffix);
        keptPath = path;
    }
    runFile = std::fopen(path.string().c_str(), "wb");
    if (!runFile) {
        std::fprintf(stderr, "nmnm: cannot write the run to %s; check that its folder exists and is writable\n",
                     path.string().c_str());
        keptPath.clear();
        return recordPath == nullptr;
    }
    RunHeader header;
    header.present = true;
    header.game = NMNM_VERSION;
    header.platform = platform;
    startRunRecording(header, writeToFile, nullptr);
    return true;
}

void endRunKeeping() {
    if (!runFile) return;
    const bool written = stopRunRecording();
    const RunEnd end = runRecordingSummary();
    const bool closed = std::fclose(runFile) == 0;
    runFile = nullptr;
    if (!written || !closed) std::fprintf(stderr, "nmnm: the run could not be written whole (is the disk full?)\n");
    if (keptPath.empty()) return;
    // The name says how far the run went, for the player looking in the folder.
    fs::path named = keptPath;
    named.replace_filename(keptPath.stem().string() + "-stage" + std::to_string(end.stage) + "-kills" +
                           std::to_string(end.kills) + kRunSuffix);
    std::error_code ec;
    fs::rename(keptPath, named, ec);
    keptPath.clear();
}
