#pragma once
#include "picture/byte_reader.h"

// One code of RLE8 or RLE4 pixel data, as the decoder reads it.
struct RleCode {
    enum Kind : uint8_t {
        Run,           // count pixels of one byte (RLE4: its two halves in turn)
        Literal,       // count pixels stored as they are, from `literal`
        EndOfLine,     // the next code draws at the start of the row above
        Delta,         // move dx right and dy rows up
        EndOfPicture,  // the picture's own end, or data too short for another code
        CutShort,      // a literal or a delta that the data ends inside, or a read that failed
    };
    Kind kind;
    uint8_t value;  // of a run
    uint32_t count;
    const uint8_t* literal;  // valid until the reader's next take
    uint32_t dx, dy;
};

// The next code of the data the reader holds.
RleCode NextRleCode(ByteReader& data, bool fourBit);

// Pixel i of a run or a literal.
inline uint8_t RlePixel(const RleCode& code, uint32_t i, bool fourBit)
{
    if (code.kind == RleCode::Run) return !fourBit ? code.value : i & 1 ? code.value & 15 : code.value >> 4;
    return !fourBit ? code.literal[i] : i & 1 ? code.literal[i / 2] & 15 : code.literal[i / 2] >> 4;
}
