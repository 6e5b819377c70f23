#pragma once
// The bits of one trivially copyable value read as another type of the same
// size: std::bit_cast, which not every standard library of the platforms
// built for has yet.
#include <cstring>
#include <type_traits>

template <typename To, typename From>
To bitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From), "bitCast needs types of one size");
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>, "bitCast copies bytes");
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}
