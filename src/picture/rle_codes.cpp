#include "picture/rle_codes.h"

namespace {
enum : uint8_t { kEscEndOfLine = 0, kEscEndOfPicture = 1, kEscDelta = 2 };
}

RleCode NextRleCode(const uint8_t* data, uint32_t size, uint32_t* at, bool fourBit)
{
    RleCode code = {RleCode::EndOfPicture, 0, 0, nullptr, 0, 0};
    if (*at + 1 >= size) return code;
    const uint32_t first = data[*at], second = data[*at + 1];
    *at += 2;
    if (first > 0) {
        code.kind = RleCode::Run;
        code.count = first;
        code.value = static_cast<uint8_t>(second);
        return code;
    }
    switch (second) {
    case kEscEndOfLine: code.kind = RleCode::EndOfLine; return code;
    case kEscEndOfPicture: return code;
    case kEscDelta:
        if (*at + 1 >= size) {
            code.kind = RleCode::CutShort;
            return code;
        }
        code.kind = RleCode::Delta;
        code.dx = data[*at];
        code.dy = data[*at + 1];
        *at += 2;
        return code;
    default: {
        // A literal's bytes end on a 16-bit boundary.
        uint32_t bytes = fourBit ? (second + 1) / 2 : second;
        bytes += bytes & 1;
        if (*at + bytes > size) {
            code.kind = RleCode::CutShort;
            return code;
        }
        code.kind = RleCode::Literal;
        code.count = second;
        code.literal = data + *at;
        *at += bytes;
        return code;
    }
    }
}
