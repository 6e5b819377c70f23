#include "app/web/own_pictures.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/data_files.h"
#include "display/bitmap_loader.h"

namespace {

constexpr const char* kNames[] = {"hk.bmp", "pt.bmp"};
constexpr size_t kSlots = 2;

// What is in place of each picture in the current folder.
struct Slot {
    bool own = false;          // the player's picture is in place
    bool keptBuiltIn = false;  // the file it replaced waits under the kept name
};
Slot slots[kSlots];

std::string stagedName(size_t slot) { return std::string(kNames[slot]) + ".yours"; }
std::string keptName(size_t slot) { return std::string(kNames[slot]) + ".built-in"; }

bool exists(const std::string& name) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

bool writeWhole(const std::string& name, const uint8_t* bytes, size_t size, std::string* why) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) {
        *why = std::strerror(errno);
        return false;
    }
    const bool written = size == 0 || std::fwrite(bytes, 1, size, f) == size;
    const int error = errno;
    if (std::fclose(f) != 0 || !written) {
        *why = std::strerror(written ? errno : error);
        std::remove(name.c_str());
        return false;
    }
    return true;
}

// The built-in picture back in place of the player's, if one is there.
void putBack(size_t slot) {
    Slot& s = slots[slot];
    if (!s.own) return;
    std::remove(kNames[slot]);
    if (s.keptBuiltIn) std::rename(keptName(slot).c_str(), kNames[slot]);
    s = Slot{};
}

bool refuse(std::string* line, const std::string& what, const std::string& why) {
    *line = "nmnm: your " + what + " was not used: " + why + ". The built-in picture stays.";
    return false;
}

}  // namespace

const char* ownPictureName(const std::string& fileName) {
    const size_t slash = fileName.find_last_of("/\\");
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    for (const char* name : kNames) {
        if (base.size() != std::strlen(name)) continue;
        bool same = true;
        for (size_t i = 0; i < base.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(base[i])) == name[i];
        if (same) return name;
    }
    return nullptr;
}

bool offerOwnPicture(const std::string& fileName, const uint8_t* bytes, uint64_t size, std::string* line) {
    const char* name = ownPictureName(fileName);
    if (!name) {
        return refuse(line, "file " + fileName,
                      "only hk.bmp (the 640 x 480 background) or pt.bmp (the sprites) can be used; "
                      "name it after the picture it replaces");
    }
    const size_t slot = name == kNames[0] ? 0 : 1;
    // The file service's own limit, said before the bytes are copied anywhere.
    if (size > kMaxDataFileBytes) return refuse(line, name, "too large (" + std::to_string(size) + " bytes)");
    if (!bytes && size > 0) return refuse(line, name, "its bytes could not be read");

    // Read back through the file service, as the run will read it: its size
    // limit, its expansion (or refusal) of compressed files.
    const std::string staged = stagedName(slot);
    std::string why;
    if (!writeWhole(staged, bytes, static_cast<size_t>(size), &why))
        return refuse(line, name, "it cannot be kept (" + why + ")");
    DataFile file;
    if (!readDataFile(staged.c_str(), &file, &why)) {
        std::remove(staged.c_str());
        return refuse(line, name, why);
    }
    why = pictureBytesProblem(file.bytes.data(), file.bytes.size());
    if (!why.empty()) {
        std::remove(staged.c_str());
        return refuse(line, name, why);
    }

    // In place: the built-in picture kept aside the first time only, so that
    // a second own picture does not take the first one's place as "built-in".
    Slot& s = slots[slot];
    const bool hadOwn = s.own;
    if (!hadOwn && exists(name)) {
        if (std::rename(name, keptName(slot).c_str()) != 0) {
            why = std::strerror(errno);
            std::remove(staged.c_str());
            return refuse(line, name, "the built-in picture cannot be kept aside (" + why + ")");
        }
        s.keptBuiltIn = true;
    }
    s.own = true;
    if (std::rename(staged.c_str(), name) != 0) {
        why = std::strerror(errno);
        std::remove(staged.c_str());
        if (!hadOwn) putBack(slot);
        return refuse(line, name, "it cannot be put in place (" + why + ")");
    }
    line->clear();
    return true;
}

bool useBuiltInPictures() {
    bool any = false;
    for (size_t slot = 0; slot < kSlots; ++slot) {
        any = any || slots[slot].own;
        putBack(slot);
    }
    return any;
}

bool ownPicturesInUse() { return slots[0].own || slots[1].own; }
