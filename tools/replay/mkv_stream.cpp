#include "tools/replay/mkv_stream.h"

#include <cstring>
#include <string>

#include "tools/common/png_write.h"
#include "tools/common/zlib_stream.h"

namespace {

using Bytes = std::vector<uint8_t>;

void putBig(Bytes& out, uint64_t v, int bytes) {
    for (int s = 8 * (bytes - 1); s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void putLittle(Bytes& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// An element: its id as written, its size in eight bytes, its data.
void element(Bytes& out, uint32_t id, const Bytes& data) {
    const int idBytes = id > 0xFFFFFF ? 4 : id > 0xFFFF ? 3 : id > 0xFF ? 2 : 1;
    putBig(out, id, idBytes);
    out.push_back(0x01);
    putBig(out, data.size(), 7);
    out.insert(out.end(), data.begin(), data.end());
}

void number(Bytes& out, uint32_t id, uint64_t v) {
    Bytes data;
    putBig(data, v, 8);
    element(out, id, data);
}

void text(Bytes& out, uint32_t id, const char* value) { element(out, id, Bytes(value, value + std::strlen(value))); }

void pngChunk(Bytes& out, const char type[4], const Bytes& data) {
    putBig(out, data.size(), 4);
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBig(out, pngCrc32(out.data() + start, out.size() - start), 4);
}

bool write(MkvStream& s, const Bytes& bytes) {
    if (s.ok && std::fwrite(bytes.data(), 1, bytes.size(), s.out) != bytes.size()) s.ok = false;
    return s.ok;
}

}  // namespace

bool mkvBegin(MkvStream& s, std::FILE* out, int32_t width, int32_t height) {
    s = MkvStream{};
    s.out = out;
    s.width = width;
    s.height = height;
    Bytes file;
    Bytes header;
    number(header, 0x4286, 1);  // EBML version
    number(header, 0x42F7, 1);
    number(header, 0x42F2, 4);
    number(header, 0x42F3, 8);
    text(header, 0x4282, "matroska");
    number(header, 0x4287, 4);
    number(header, 0x4285, 2);
    element(file, 0x1A45DFA3, header);
    // The segment's size is not known on a pipe: all ones.
    putBig(file, 0x18538067, 4);
    putBig(file, 0x01FFFFFFFFFFFFFF, 8);
    Bytes info;
    number(info, 0x2AD7B1, 1000000);  // timestamps in milliseconds
    text(info, 0x4D80, "nmnm-replay");
    text(info, 0x5741, "nmnm-replay");
    element(file, 0x1549A966, info);
    // The pictures are PNG files, named through a bitmap header.
    Bytes bitmap;
    putLittle(bitmap, 40, 4);
    putLittle(bitmap, static_cast<uint32_t>(width), 4);
    putLittle(bitmap, static_cast<uint32_t>(height), 4);
    putLittle(bitmap, 1, 2);
    putLittle(bitmap, 24, 2);
    bitmap.insert(bitmap.end(), {'M', 'P', 'N', 'G'});
    putLittle(bitmap, static_cast<uint32_t>(width * height * 3), 4);
    putLittle(bitmap, 0, 16);
    Bytes video;
    number(video, 0xB0, static_cast<uint64_t>(width));
    number(video, 0xBA, static_cast<uint64_t>(height));
    Bytes track;
    number(track, 0xD7, 1);    // track number
    number(track, 0x73C5, 1);  // track id
    number(track, 0x83, 1);    // video
    number(track, 0x9C, 0);    // no lacing
    text(track, 0x86, "V_MS/VFW/FOURCC");
    element(track, 0x63A2, bitmap);
    element(track, 0xE0, video);
    Bytes tracks;
    element(tracks, 0xAE, track);
    element(file, 0x1654AE6B, tracks);
    return write(s, file);
}

bool mkvAddFrame(MkvStream& s, const uint8_t* pixels, const PaletteEntry palette[256], uint64_t ms) {
    if (!s.ok) return false;
    const size_t rowBytes = static_cast<size_t>(s.width);
    Bytes packed;
    if (!packPngRows(pixels, rowBytes, s.height, rowBytes, &s.scratch, &packed)) return s.ok = false;

    Bytes block = {0x81, 0, 0, 0x80};  // track 1, at the cluster's time, a key frame
    block.insert(block.end(), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    Bytes header;
    putBig(header, static_cast<uint32_t>(s.width), 4);
    putBig(header, static_cast<uint32_t>(s.height), 4);
    header.insert(header.end(), {8, 3, 0, 0, 0});
    pngChunk(block, "IHDR", header);
    Bytes colours;
    for (int i = 0; i < 256; ++i) colours.insert(colours.end(), {palette[i].red, palette[i].green, palette[i].blue});
    pngChunk(block, "PLTE", colours);
    pngChunk(block, "IDAT", packed);
    pngChunk(block, "IEND", {});

    // One cluster a picture: its time is the picture's, in full.
    Bytes cluster;
    number(cluster, 0xE7, ms);
    element(cluster, 0xA3, block);
    Bytes bytes;
    element(bytes, 0x1F43B675, cluster);
    return write(s, bytes);
}
