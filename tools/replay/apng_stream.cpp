#include "tools/replay/apng_stream.h"

#include <cstring>

#include "tools/common/png_write.h"
#include "tools/common/zlib_stream.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

bool writeChunk(ApngStream& s, const char type[4], const std::vector<uint8_t>& data) {
    std::vector<uint8_t> bytes;
    bytes.reserve(data.size() + 12);
    put32(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), type, type + 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    put32(bytes, pngCrc32(bytes.data() + 4, bytes.size() - 4));
    if (std::fwrite(bytes.data(), 1, bytes.size(), s.out) != bytes.size()) s.ok = false;
    return s.ok;
}

}  // namespace

bool apngBegin(ApngStream& s, std::FILE* out, int32_t width, int32_t height, const PaletteEntry palette[256],
               uint32_t frameCount) {
    s = ApngStream{};
    s.out = out;
    s.width = width;
    s.height = height;
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::fwrite(kSignature, 1, 8, out) != 8) return s.ok = false;
    std::vector<uint8_t> header;
    put32(header, static_cast<uint32_t>(width));
    put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 3, 0, 0, 0});  // 8-bit indices, no interlace
    writeChunk(s, "IHDR", header);
    const long at = std::ftell(out);
    if (at > 0) s.frameCountAt = at + 8;  // after acTL's length and type
    std::vector<uint8_t> control;
    put32(control, frameCount);
    put32(control, 0);  // plays forever
    writeChunk(s, "acTL", control);
    std::vector<uint8_t> colours;
    for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {palette[i].red, palette[i].green, palette[i].blue});
    return writeChunk(s, "PLTE", colours);
}

bool apngAddFrame(ApngStream& s, const uint8_t* pixels, uint32_t delayMs) {
    if (!s.ok) return false;
    std::vector<uint8_t> control;
    put32(control, s.sequence++);
    put32(control, static_cast<uint32_t>(s.width));
    put32(control, static_cast<uint32_t>(s.height));
    put32(control, 0);  // x, y offsets
    put32(control, 0);
    put16(control, delayMs > 65535 ? 65535 : delayMs);
    put16(control, 1000);                   // milliseconds
    control.insert(control.end(), {0, 0});  // keep the frame, replace the pixels
    writeChunk(s, "fcTL", control);

    const size_t rowBytes = static_cast<size_t>(s.width);
    std::vector<uint8_t> packed;
    if (!packPngRows(pixels, rowBytes, s.height, rowBytes, &s.scratch, &packed)) return s.ok = false;
    if (s.frames == 0) {
        writeChunk(s, "IDAT", packed);  // the first frame is also the still picture
    } else {
        std::vector<uint8_t> data;
        data.reserve(packed.size() + 4);
        put32(data, s.sequence++);
        data.insert(data.end(), packed.begin(), packed.end());
        writeChunk(s, "fdAT", data);
    }
    ++s.frames;
    return s.ok;
}

bool apngFinish(ApngStream& s) {
    writeChunk(s, "IEND", {});
    if (s.ok && s.frameCountAt > 0 && std::fseek(s.out, s.frameCountAt, SEEK_SET) == 0) {
        std::vector<uint8_t> control;
        put32(control, s.frames);
        put32(control, 0);
        // The chunk's CRC covers the count too: rewrite both.
        std::vector<uint8_t> crcInput = {'a', 'c', 'T', 'L'};
        crcInput.insert(crcInput.end(), control.begin(), control.end());
        put32(control, pngCrc32(crcInput.data(), crcInput.size()));
        if (std::fwrite(control.data(), 1, control.size(), s.out) != control.size()) s.ok = false;
        std::fseek(s.out, 0, SEEK_END);
    }
    if (std::fflush(s.out) != 0) s.ok = false;
    return s.ok;
}
