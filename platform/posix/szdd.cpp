#include "platform/posix/szdd.h"

#include <mspack.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/data_files.h"
#include "platform/posix/posix_file.h"

namespace {

// libmspack reads and writes through an mspack_system; this one serves two
// fixed "files" from memory: the compressed input and the growing output.
struct MemoryFile {
    const uint8_t* data = nullptr;  // input
    size_t size = 0;
    size_t pos = 0;
    std::vector<uint8_t>* out = nullptr;  // output
    size_t limit = 0;
    bool cut = false;     // output went past the limit and was dropped
    bool failed = false;  // the output could not grow
};

struct MemorySystem {
    mspack_system sys;  // first, so the library's pointer is ours
    MemoryFile input;
    MemoryFile output;
};

const char kInputName[] = "input";
const char kOutputName[] = "output";

mspack_file* memOpen(mspack_system* self, const char* name, int mode) {
    auto* ms = reinterpret_cast<MemorySystem*>(self);
    if (name == kInputName && mode == MSPACK_SYS_OPEN_READ) {
        ms->input.pos = 0;
        return reinterpret_cast<mspack_file*>(&ms->input);
    }
    if (name == kOutputName && mode == MSPACK_SYS_OPEN_WRITE) {
        ms->output.out->clear();
        return reinterpret_cast<mspack_file*>(&ms->output);
    }
    return nullptr;
}

void memClose(mspack_file*) {}

int memRead(mspack_file* file, void* buffer, int bytes) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    if (bytes < 0 || !f->data) return -1;
    const size_t left = f->size - f->pos;
    const size_t n = static_cast<size_t>(bytes) < left ? static_cast<size_t>(bytes) : left;
    if (n) std::memcpy(buffer, f->data + f->pos, n);
    f->pos += n;
    return static_cast<int>(n);
}

int memWrite(mspack_file* file, void* buffer, int bytes) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    if (bytes < 0 || !f->out) return -1;
    const size_t room = f->limit - f->out->size();
    const size_t n = static_cast<size_t>(bytes) < room ? static_cast<size_t>(bytes) : room;
    try {
        const auto* b = static_cast<const uint8_t*>(buffer);
        f->out->insert(f->out->end(), b, b + n);
    } catch (const std::bad_alloc&) {
        f->failed = true;
        return -1;
    }
    if (n < static_cast<size_t>(bytes)) {
        // Everything wanted is here: stop the expansion rather than run on.
        f->cut = true;
        return -1;
    }
    return bytes;
}

int memSeek(mspack_file* file, off_t offset, int mode) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    if (!f->data) return -1;
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR) base = static_cast<off_t>(f->pos);
    else if (mode == MSPACK_SYS_SEEK_END) base = static_cast<off_t>(f->size);
    else if (mode != MSPACK_SYS_SEEK_START) return -1;
    if (offset < -base || offset > static_cast<off_t>(f->size) - base) return -1;
    f->pos = static_cast<size_t>(base + offset);
    return 0;
}

off_t memTell(mspack_file* file) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    return static_cast<off_t>(f->data ? f->pos : f->out->size());
}

void memMessage(mspack_file*, const char*, ...) {}

void* memAlloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }

void memFree(void* p) { std::free(p); }

void memCopy(void* src, void* dest, size_t bytes) { std::memcpy(dest, src, bytes); }

const char* mspackError(int code) {
    switch (code) {
        case MSPACK_ERR_SIGNATURE: return "not an SZDD file";
        case MSPACK_ERR_DATAFORMAT: return "unknown SZDD compression method";
        case MSPACK_ERR_NOMEMORY: return "out of memory while expanding";
        case MSPACK_ERR_READ: return "file ends inside its SZDD header";
        default: return "SZDD expansion failed";
    }
}

}  // namespace

bool isSzdd(const uint8_t* data, size_t size) {
    static constexpr uint8_t kSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    return data && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool expandSzdd(const uint8_t* data, size_t size, size_t maxBytes, std::vector<uint8_t>* out, std::string* reason) {
    auto fail = [reason](const char* why) {
        if (reason) *reason = why;
        return false;
    };
    if (!isSzdd(data, size) || !out) return fail("not an SZDD file");

    int selftest = MSPACK_ERR_OK;
    MSPACK_SYS_SELFTEST(selftest);
    if (selftest != MSPACK_ERR_OK) return fail("libmspack was built for another file-offset size");

    MemorySystem ms{};
    ms.sys = mspack_system{memOpen,    memClose, memRead, memWrite, memSeek, memTell,
                           memMessage, memAlloc, memFree, memCopy,  nullptr};
    ms.input.data = data;
    ms.input.size = size;
    ms.output.out = out;

    msszdd_decompressor* szdd = mspack_create_szdd_decompressor(&ms.sys);
    if (!szdd) return fail("out of memory while expanding");
    msszddd_header* header = szdd->open(szdd, kInputName);
    if (!header) {
        const int err = szdd->last_error(szdd);
        mspack_destroy_szdd_decompressor(szdd);
        return fail(mspackError(err));
    }
    const off_t length = header->length;
    ms.output.limit = length < 0                                 ? 0
                      : static_cast<uint64_t>(length) < maxBytes ? static_cast<size_t>(length)
                                                                 : maxBytes;
    // The format has no checksum: truncated or damaged data still "succeeds",
    // and what comes out is taken for what it is.
    const int err = szdd->extract(szdd, header, kOutputName);
    szdd->close(szdd, header);
    mspack_destroy_szdd_decompressor(szdd);
    if (ms.output.failed) return fail("out of memory while expanding");
    if (err != MSPACK_ERR_OK && !(err == MSPACK_ERR_WRITE && ms.output.cut)) return fail(mspackError(err));
    return true;
}

bool readDataBytes(const std::string& path, std::vector<uint8_t>* out, std::string* reason) {
    if (!readRegularFile(path, out, reason)) return false;
    if (!isSzdd(out->data(), out->size())) return true;
    std::vector<uint8_t> expanded;
    if (!expandSzdd(out->data(), out->size(), kMaxDataFileBytes, &expanded, reason)) {
        out->clear();
        return false;
    }
    out->swap(expanded);
    return true;
}
