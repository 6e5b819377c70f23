#include "game/run_file.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace {

// Versions of the game whose play is exactly this one's.
constexpr std::string_view kKnownGameVersions[] = {"0.1", "0.2"};

constexpr std::string_view kFormatTag = "#nmnm-run";
constexpr std::string_view kGameTag = "#game";
constexpr std::string_view kPlatformTag = "#platform";
constexpr std::string_view kEndTag = "#end";

bool isSpace(char c) { return c == ' ' || c == '\t'; }

// Splits on runs of spaces and tabs; the count goes on past `max` so that a
// line with too many fields is still recognised as such.
int splitFields(std::string_view line, std::string_view* fields, int max) {
    int n = 0;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSpace(line[i])) ++i;
        if (i == line.size()) break;
        const size_t start = i;
        while (i < line.size() && !isSpace(line[i])) ++i;
        if (n < max) fields[n] = line.substr(start, i - start);
        ++n;
    }
    return n;
}

// Whole-field decimal numbers only: from_chars alone would accept "12abc".
template <typename T>
bool parseWhole(std::string_view text, T* out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);  // from_chars takes no plus sign
    if (text.empty() || text.front() == '+') return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, *out, 10);
    return ec == std::errc{} && ptr == end;
}

bool parseTick(std::string_view text, uint32_t* out) { return text.front() != '-' && parseWhole(text, out); }

bool parseKeys(std::string_view text, uint8_t* out) {
    if (text == "-") {
        *out = 0;
        return true;
    }
    uint8_t keys = 0;
    for (const char c : text) {
        const uint8_t bit = c == 'L' ? kRunKeyLeftButton : c == 'U' ? kRunKeyUp : c == 'D' ? kRunKeyDown : 0;
        if (bit == 0 || (keys & bit) != 0) return false;  // unknown or repeated letter
        keys |= bit;
    }
    *out = keys;
    return true;
}

// A word of a header line: letters, digits and . + - _ only, so that what
// the page or a terminal shows of it is harmless.
bool isHeaderWord(std::string_view text) {
    if (text.empty() || text.size() > 32) return false;
    for (const char c : text) {
        const bool ok = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
                        c == '+' || c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

std::string quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

bool startsWithTag(std::string_view line, std::string_view tag) {
    return line.substr(0, tag.size()) == tag && (line.size() == tag.size() || isSpace(line[tag.size()]));
}

// Reads a call line into `call`; an empty result means it was sound.
std::string parseCallLine(std::string_view line, RunCall* call) {
    std::string_view fields[7];
    const int found = splitFields(line, fields, 7);
    int n = found;
    if (n >= 5 && n <= 7 && fields[n - 1].front() == '*') {
        if (!parseWhole(fields[n - 1].substr(1), &call->repeat) || call->repeat == 0)
            return "COUNT " + quoted(fields[n - 1]) + " is not '*' and a number of calls from 1";
        --n;
    }
    if (n < 4 || n > 6)
        return "expected TICK X Y KEYS [TICK2 [TICK3]] [*COUNT], found " + std::to_string(found) + " fields";
    if (!parseTick(fields[0], &call->ticks[0]))
        return "TICK " + quoted(fields[0]) + " is not an unsigned 32-bit decimal number";
    if (!parseWhole(fields[1], &call->x)) return "X " + quoted(fields[1]) + " is not a signed 32-bit decimal number";
    if (!parseWhole(fields[2], &call->y)) return "Y " + quoted(fields[2]) + " is not a signed 32-bit decimal number";
    if (!parseKeys(fields[3], &call->keys))
        return "KEYS " + quoted(fields[3]) + " is not '-' or a set of the letters L, U, D, each at most once";
    call->ticks[1] = call->ticks[0];
    for (int i = 4; i < n; ++i) {
        if (!parseTick(fields[i], &call->ticks[i - 3]))
            return "TICK" + std::to_string(i - 2) + " " + quoted(fields[i]) +
                   " is not an unsigned 32-bit decimal number";
    }
    if (n < 6) call->ticks[2] = call->ticks[1];
    return {};
}

// The reader's state between lines, shared by the text and the stream.
struct Reader {
    RunFile* out = nullptr;
    std::string error;
    uint64_t line = 0;
    uint64_t bytes = 0;
    bool endLine = false;  // the run's end line has been read

    bool fail(const std::string& what) {
        error = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    // The header: the format, the game and the platform, in this order.
    bool headerLine(std::string_view text) {
        std::string_view fields[3];
        const int n = splitFields(text, fields, 3);
        RunHeader& h = out->header;
        if (line == 1) {
            int32_t format = 0;
            if (n != 2 || !parseWhole(fields[1], &format) || format < 1)
                return fail("the format line wants '#nmnm-run VERSION', a number from 1");
            if (format > kRunFormatVersion)
                return fail("run file format " + std::to_string(format) + " is newer than this game reads (" +
                            std::to_string(kRunFormatVersion) + "); watch it with a newer nmnm");
            h.present = true;
            h.format = format;
            return true;
        }
        if (line == 2) {
            if (n != 2 || fields[0] != kGameTag || !isHeaderWord(fields[1]))
                return fail("expected '#game VERSION' after the format line");
            if (!isKnownGameVersion(fields[1]))
                return fail("game version " + quoted(fields[1]) +
                            " is not one this game plays alike; watch it with that version of nmnm");
            h.game = fields[1];
            return true;
        }
        if (n != 2 || fields[0] != kPlatformTag || !isHeaderWord(fields[1]))
            return fail("expected '#platform NAME' after the game line");
        h.platform = fields[1];
        return true;
    }

    bool endOfRun(std::string_view text) {
        std::string_view f[6];
        RunEnd end;
        const int n = splitFields(text, f, 6);
        if (n != 5 || f[1] != "stage" || f[3] != "kills" || !parseWhole(f[2], &end.stage) ||
            !parseWhole(f[4], &end.kills))
            return fail("the end line wants '#end stage S kills K'");
        if (endLine) return fail("a second end line");
        end.present = true;
        out->end = end;
        endLine = true;
        return true;
    }

    // One line without its line feed.
    bool take(std::string_view text) {
        ++line;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if ((c < 0x20 && c != '\t') || c == 0x7F) {
                char hex[8];
                const char* digits = "0123456789abcdef";
                hex[0] = '0';
                hex[1] = 'x';
                hex[2] = digits[c >> 4];
                hex[3] = digits[c & 15];
                hex[4] = 0;
                return fail("not text: byte " + std::string(hex) + " at column " + std::to_string(i + 1) +
                            "; a run file is plain text");
            }
        }
        const bool header = out->header.present || (line == 1 && startsWithTag(text, kFormatTag));
        if (header && line <= 3) return headerLine(text);
        size_t first = 0;
        while (first < text.size() && isSpace(text[first])) ++first;
        if (first == text.size()) return true;
        if (text[first] == '#') return header && startsWithTag(text.substr(first), kEndTag) ? endOfRun(text) : true;
        if (endLine) return fail("a call after the end line");
        RunCall call;
        const std::string what = parseCallLine(text, &call);
        if (!what.empty()) return fail(what);
        out->callCount += call.repeat;
        if (out->callCount > kMaxRunCalls) return fail("more calls than a run holds (2^32)");
        out->calls.push_back(call);
        return true;
    }

    // Takes the whole lines of `data` (after what `carry` holds from the last
    // piece) and keeps the unfinished last one in `carry`.
    bool feed(std::string_view data, std::string* carry) {
        bytes += data.size();
        if (bytes > kMaxRunFileBytes)
            return fail("the file goes on past " + std::to_string(kMaxRunFileBytes >> 20) +
                        " MiB, more than a run file holds");
        while (!data.empty()) {
            const size_t lf = data.find('\n');
            const size_t piece = lf == std::string_view::npos ? data.size() : lf;
            if (carry->size() + piece > kMaxRunLineBytes) {
                ++line;
                return fail("longer than " + std::to_string(kMaxRunLineBytes) + " characters; is this a run file?");
            }
            if (lf == std::string_view::npos) {
                carry->append(data);
                return true;
            }
            bool ok = true;
            if (carry->empty()) {
                ok = take(data.substr(0, lf));
            } else {
                carry->append(data.substr(0, lf));
                ok = take(*carry);
                carry->clear();
            }
            if (!ok) return false;
            data.remove_prefix(lf + 1);
        }
        return true;
    }

    // The last line, when the file does not end with a line feed: a plain
    // script may end so, a recording may not (it was cut short).
    bool finish(const std::string& carry) {
        if (!carry.empty()) {
            if (out->header.present) {
                ++line;
                return fail("cut short: the last line has no line end (was the recording stopped?)");
            }
            if (!take(carry)) return false;
        }
        // The format line promises the game and platform lines after it.
        if (out->header.present && line < 3) {
            ++line;
            return fail(line == 2 ? "expected '#game VERSION' after the format line"
                                  : "expected '#platform NAME' after the game line");
        }
        return true;
    }
};

bool result(Reader& reader, bool ok, RunFile* out, std::string* error) {
    if (ok) {
        error->clear();
        return true;
    }
    *out = RunFile{};
    *error = reader.error;
    return false;
}

}  // namespace

bool isKnownGameVersion(std::string_view version) {
    for (const std::string_view known : kKnownGameVersions)
        if (version == known) return true;
    return false;
}

bool parseRunText(std::string_view text, RunFile* out, std::string* error) {
    *out = RunFile{};
    Reader reader;
    reader.out = out;
    std::string carry;
    const bool ok = reader.feed(text, &carry) && reader.finish(carry);
    return result(reader, ok, out, error);
}

bool parseRunStream(std::istream& in, RunFile* out, std::string* error) {
    *out = RunFile{};
    Reader reader;
    reader.out = out;
    std::string carry;
    char piece[1 << 16];
    bool ok = true;
    while (ok && in) {
        in.read(piece, sizeof piece);
        const auto got = static_cast<size_t>(in.gcount());
        if (got > 0) ok = reader.feed(std::string_view(piece, got), &carry);
    }
    if (ok && in.bad()) {
        reader.error = "read error after line " + std::to_string(reader.line);
        ok = false;
    }
    if (ok) ok = reader.finish(carry);
    return result(reader, ok, out, error);
}

bool loadRunFile(const std::string& path, RunFile* out, std::string* error) {
    *out = RunFile{};
    if (path == "-") return parseRunStream(std::cin, out, error);
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxRunFileBytes) {
        *error = "too large: " + std::to_string(size) + " bytes, and a run file holds at most " +
                 std::to_string(kMaxRunFileBytes >> 20) + " MiB; nothing was read";
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot be opened (check the path and that it is readable)";
        return false;
    }
    return parseRunStream(file, out, error);
}

std::string formatRunHeader(const RunHeader& header) {
    return std::string(kFormatTag) + " " + std::to_string(header.format) + "\n" + std::string(kGameTag) + " " +
           header.game + "\n" + std::string(kPlatformTag) + " " + header.platform + "\n";
}

std::string formatRunCall(const RunCall& call) {
    std::string line =
        std::to_string(call.ticks[0]) + " " + std::to_string(call.x) + " " + std::to_string(call.y) + " ";
    if (call.keys & kRunKeyLeftButton) line += 'L';
    if (call.keys & kRunKeyUp) line += 'U';
    if (call.keys & kRunKeyDown) line += 'D';
    if ((call.keys & (kRunKeyLeftButton | kRunKeyUp | kRunKeyDown)) == 0) line += '-';
    // Only the readings that differ: the second when it or the third does.
    if (call.ticks[1] != call.ticks[0] || call.ticks[2] != call.ticks[1]) line += " " + std::to_string(call.ticks[1]);
    if (call.ticks[2] != call.ticks[1]) line += " " + std::to_string(call.ticks[2]);
    if (call.repeat != 1) line += " *" + std::to_string(call.repeat);
    line += '\n';
    return line;
}

std::string formatRunEnd(const RunEnd& end) {
    return std::string(kEndTag) + " stage " + std::to_string(end.stage) + " kills " + std::to_string(end.kills) + "\n";
}
