#include "platform/common/key_notices.h"

bool pushKeyNotice(KeyNotices& notices, int32_t virtualKey) {
    if (virtualKey <= 0 || virtualKey > 0xFF || notices.count >= KeyNotices::kCapacity) return false;
    notices.keys[(notices.first + notices.count) % KeyNotices::kCapacity] = virtualKey;
    ++notices.count;
    return true;
}

int32_t takeKeyNotice(KeyNotices& notices) {
    if (notices.count <= 0) return 0;
    const int32_t key = notices.keys[notices.first];
    notices.first = (notices.first + 1) % KeyNotices::kCapacity;
    --notices.count;
    return key;
}
