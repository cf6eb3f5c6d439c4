#include "picture/rle_codes.h"

namespace {
enum : uint8_t { kEscEndOfLine = 0, kEscEndOfPicture = 1, kEscDelta = 2 };
}

RleCode NextRleCode(ByteReader& data, bool fourBit)
{
    RleCode code = {RleCode::EndOfPicture, 0, 0, nullptr, 0, 0};
    if (data.left() < 2) return code;
    const uint8_t* pair = data.take(2);
    if (!pair) {
        code.kind = RleCode::CutShort;
        return code;
    }
    const uint32_t first = pair[0], second = pair[1];
    if (first > 0) {
        code.kind = RleCode::Run;
        code.count = first;
        code.value = static_cast<uint8_t>(second);
        return code;
    }
    switch (second) {
    case kEscEndOfLine: code.kind = RleCode::EndOfLine; return code;
    case kEscEndOfPicture: return code;
    case kEscDelta: {
        const uint8_t* move = data.left() >= 2 ? data.take(2) : nullptr;
        if (!move) {
            code.kind = RleCode::CutShort;
            return code;
        }
        code.kind = RleCode::Delta;
        code.dx = move[0];
        code.dy = move[1];
        return code;
    }
    default: {
        // A literal's bytes end on a 16-bit boundary.
        uint32_t bytes = fourBit ? (second + 1) / 2 : second;
        bytes += bytes & 1;
        code.literal = data.left() >= bytes ? data.take(bytes) : nullptr;
        code.kind = code.literal ? RleCode::Literal : RleCode::CutShort;
        code.count = second;
        return code;
    }
    }
}
