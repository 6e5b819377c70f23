#pragma once
// How a refusal is told: the reason goes to the caller, when it asked for
// one, and the result is false. Shared by every reader that explains itself.
#include <string>
#include <utility>

inline bool failWith(std::string* reason, std::string why) {
    if (reason) *reason = std::move(why);
    return false;
}
