#include "platform/posix/szdd_signature.h"

#include <cstring>

bool isSzdd(const uint8_t* data, size_t size) {
    static constexpr uint8_t kSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
    return data && size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}
