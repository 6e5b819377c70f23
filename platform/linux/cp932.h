#pragma once
#include <cstddef>
#include <cstdint>

// Decodes code page 932 (the Windows flavour of Shift JIS) into Unicode code
// points, a piece at a time so that callers need no buffer of the whole text.
// Reads text[*offset] up to text[length - 1] and never beyond; advances
// *offset past what it consumed. Bytes that do not decode are skipped, a
// character cut off by the end is dropped. Returns how many code points were
// written to `out` (at most `capacity`); 0 only once the text is used up.
size_t decodeCp932(const char* text, size_t length, size_t* offset, uint32_t* out, size_t capacity);
