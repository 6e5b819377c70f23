#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <system_error>

#include "game/run_file.h"

namespace {

// Undoes the escapes of the cases file: \n \r \t \\ and \xHH.
std::string unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
    }
    return out;
}

std::string answerOf(bool ok, const RunFile& run, const std::string& error) {
    return ok ? "calls " + std::to_string(run.callCount) : error;
}

// An endless stream of one repeated line (or of one line without end when
// `line` has no line feed), made as it is read: nothing of it is kept.
class Endless : public std::streambuf {
public:
    explicit Endless(std::string line) : line_(std::move(line)) {
        for (size_t i = 0; i + line_.size() <= sizeof piece_; i += line_.size()) fill_ += line_;
    }

protected:
    int_type underflow() override {
        char* begin = const_cast<char*>(fill_.data());
        setg(begin, begin, begin + fill_.size());
        return traits_type::to_int_type(*begin);
    }

private:
    std::string line_;
    std::string fill_;
    char piece_[4096] = {};
};

}  // namespace

// Every case of the shared table gets the same answer from the text reader
// and the stream reader; a refused file leaves nothing to play.
TEST(RunFile, RefusesBadFilesWithOneLineAndNothingToPlay) {
    std::ifstream cases(std::string(NMNM_TEST_DIR) + "/game/run_file_cases.txt", std::ios::binary);
    ASSERT_TRUE(cases.good()) << "tests/game/run_file_cases.txt is missing";
    int count = 0;
    for (std::string row; std::getline(cases, row);) {
        if (row.empty() || row[0] == '#') continue;
        const size_t tab1 = row.find('\t'), tab2 = row.find('\t', tab1 + 1);
        ASSERT_NE(tab2, std::string::npos) << "cases file row: " << row;
        const std::string name = row.substr(0, tab1), want = row.substr(tab2 + 1);
        const std::string text = unescape(row.substr(tab1 + 1, tab2 - tab1 - 1));
        RunFile run;
        std::string error;
        const bool ok = parseRunText(text, &run, &error);
        EXPECT_EQ(answerOf(ok, run, error), want) << "case: " << name;
        if (!ok) {
            EXPECT_TRUE(run.calls.empty() && !run.header.present) << "case: " << name << ", nothing kept";
        }
        std::istringstream stream(text);
        const bool streamOk = parseRunStream(stream, &run, &error);
        EXPECT_EQ(answerOf(streamOk, run, error), want) << "case: " << name << ", read as a stream";
        ++count;
    }
    EXPECT_GE(count, 15) << "case: the table was read whole";

    // What no run file holds, read without keeping it: a 2 GB file (sparse,
    // refused by its size), an endless stream, an endless line.
    RunFile run;
    std::string error;
    const std::string huge = ::testing::TempDir() + "run_file_2g.nmnm-run";
    std::ofstream(huge) << "0 0 0 -\n";
    std::error_code ec;
    std::filesystem::resize_file(huge, uint64_t{2} << 30, ec);
    if (!ec && std::filesystem::file_size(huge, ec) == uint64_t{2} << 30) {  // not under node
        EXPECT_FALSE(loadRunFile(huge, &run, &error)) << "case: 2 GB file";
        EXPECT_EQ(error, "too large: 2147483648 bytes, and a run file holds at most 64 MiB; nothing was read")
            << "case: 2 GB file";
    }
    std::filesystem::remove(huge, ec);
    Endless comments(std::string(200, '#') + "\n");
    std::istream endless(&comments);
    EXPECT_FALSE(parseRunStream(endless, &run, &error)) << "case: endless stream";
    EXPECT_EQ(error.substr(error.find(':')), ": the file goes on past 64 MiB, more than a run file holds")
        << "case: endless stream";
    Endless letters("a");
    std::istream endlessLine(&letters);
    EXPECT_FALSE(parseRunStream(endlessLine, &run, &error)) << "case: endless line";
    EXPECT_EQ(error, "line 1: longer than 256 characters; is this a run file?") << "case: endless line";
#ifdef NMNM_VERSION
    EXPECT_TRUE(isKnownGameVersion(NMNM_VERSION)) << "case: this build's own version, " << NMNM_VERSION;
#endif
}
