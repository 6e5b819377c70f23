// What a piece of the game writes to stderr, under node. Node's raw file
// system cannot duplicate the standard streams, so GoogleTest's capture sees
// nothing; instead the stream of descriptor 2 is pointed at a file of node's
// own for the time of the run, then back.
#include <emscripten.h>

#include <cstdio>

#include "tests/support/test_support.h"

namespace {

// The JavaScript inside is not C++: clang-format would break it.
// clang-format off
EM_JS(void, beginCapture, (), {
    var stream = FS.getStream(2);
    var path = require("path").join(require("os").tmpdir(), "nmnm-stderr-" + process.pid + ".txt");
    Module["stderrCapture"] = {path: path, nfd: stream.nfd, position: stream.position,
                               file: require("fs").openSync(path, "w+")};
    stream.nfd = Module["stderrCapture"].file;
    stream.position = 0;
});

// Ends the capture and returns how many bytes of UTF-8 it caught.
EM_JS(int, endCapture, (), {
    var stream = FS.getStream(2);
    var capture = Module["stderrCapture"];
    var fs = require("fs");
    stream.nfd = capture.nfd;
    stream.position = capture.position;
    fs.closeSync(capture.file);
    capture.text = fs.readFileSync(capture.path, "utf8");
    fs.unlinkSync(capture.path);
    return lengthBytesUTF8(capture.text);
});

EM_JS(void, copyCapture, (char* buffer, int size), {
    stringToUTF8(Module["stderrCapture"].text, buffer, size);
    Module["stderrCapture"] = null;
});
// clang-format on

}  // namespace

std::string stderrOf(const std::function<void()>& run) {
    std::fflush(stderr);
    beginCapture();
    run();
    std::fflush(stderr);
    const int bytes = endCapture();
    std::string text(static_cast<size_t>(bytes) + 1, '\0');
    copyCapture(text.data(), bytes + 1);
    text.resize(static_cast<size_t>(bytes));
    return text;
}
