// The zlib stream of the browser build's PNG files (stored blocks), checked
// against zlib itself.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tools/common/zlib_stream.h"

namespace {

std::vector<uint8_t> randomBytes(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

// Sizes around the 65535-byte block limit, and none at all.
const size_t kSizes[] = {0, 1, 65534, 65535, 65536, 131070, 131071, 307200};

}  // namespace

TEST(ZlibStored, ZlibReadsWhatItWrites) {
    for (size_t size : kSizes) {
        const std::vector<uint8_t> data = randomBytes(size, static_cast<uint32_t>(size));
        std::vector<uint8_t> packed;
        ASSERT_TRUE(zlibPack(data.data(), data.size(), &packed)) << "case: " << size << " bytes";
        std::vector<uint8_t> back(size + 1);
        uLongf backSize = static_cast<uLongf>(back.size());
        ASSERT_EQ(uncompress(back.data(), &backSize, packed.data(), static_cast<uLong>(packed.size())), Z_OK)
            << "case: " << size << " bytes";
        back.resize(backSize);
        EXPECT_EQ(back, data) << "case: " << size << " bytes";
    }
}

TEST(ZlibStored, ReadsBackWhatItWrites) {
    for (size_t size : kSizes) {
        const std::vector<uint8_t> data = randomBytes(size, 7);
        std::vector<uint8_t> packed;
        zlibPack(data.data(), data.size(), &packed);
        std::vector<uint8_t> back(size);
        EXPECT_TRUE(zlibUnpack(packed.data(), packed.size(), &back)) << "case: " << size << " bytes";
        EXPECT_EQ(back, data) << "case: " << size << " bytes";
    }
}

TEST(ZlibStored, RefusesWhatItCannotRead) {
    const std::vector<uint8_t> data = randomBytes(70000, 3);
    std::vector<uint8_t> packed;
    zlibPack(data.data(), data.size(), &packed);
    std::vector<uint8_t> back(data.size());

    std::vector<uint8_t> deflated(compressBound(static_cast<uLong>(data.size())));
    uLongf deflatedSize = static_cast<uLongf>(deflated.size());
    const std::vector<uint8_t> zeros(1000, 0);
    compress2(deflated.data(), &deflatedSize, zeros.data(), static_cast<uLong>(zeros.size()), 6);
    std::vector<uint8_t> zerosBack(zeros.size());
    EXPECT_FALSE(zlibUnpack(deflated.data(), deflatedSize, &zerosBack)) << "case: compressed blocks";

    std::vector<uint8_t> longer(data.size() + 1);
    EXPECT_FALSE(zlibUnpack(packed.data(), packed.size(), &longer)) << "case: more bytes wanted than stored";
    std::vector<uint8_t> shorter(data.size() - 1);
    EXPECT_FALSE(zlibUnpack(packed.data(), packed.size(), &shorter)) << "case: fewer bytes wanted than stored";
    EXPECT_FALSE(zlibUnpack(packed.data(), packed.size() - 1, &back)) << "case: cut short";

    std::vector<uint8_t> badCheck = packed;
    badCheck.back() ^= 1;
    EXPECT_FALSE(zlibUnpack(badCheck.data(), badCheck.size(), &back)) << "case: wrong Adler-32";
    std::vector<uint8_t> badLength = packed;
    badLength[3] ^= 1;  // the first block's LEN no longer matches its NLEN
    EXPECT_FALSE(zlibUnpack(badLength.data(), badLength.size(), &back)) << "case: LEN and NLEN disagree";
    std::vector<uint8_t> badHeader = packed;
    badHeader[1] ^= 1;
    EXPECT_FALSE(zlibUnpack(badHeader.data(), badHeader.size(), &back)) << "case: header check fails";
}

TEST(ZlibStored, CrcIsZlibs) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{13}, size_t{4096}}) {
        const std::vector<uint8_t> data = randomBytes(size, 11);
        EXPECT_EQ(pngCrc32(data.data(), data.size()),
                  static_cast<uint32_t>(crc32(0L, data.data(), static_cast<uInt>(data.size()))))
            << "case: " << size << " bytes";
    }
}
