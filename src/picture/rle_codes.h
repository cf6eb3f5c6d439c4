#pragma once
#include <stdint.h>

// One code of RLE8 or RLE4 pixel data. The check and the decoder both read
// the data through NextRleCode, so they cannot disagree about where a code
// ends.
struct RleCode {
    enum Kind : uint8_t {
        Run,           // count pixels of one byte (RLE4: its two halves in turn)
        Literal,       // count pixels stored as they are, from `literal`
        EndOfLine,     // the next code draws at the start of the row above
        Delta,         // move dx right and dy rows up
        EndOfPicture,  // the picture's own end, or data too short for another code
        CutShort,      // a literal or a delta that the data ends inside
    };
    Kind kind;
    uint8_t value;  // of a run
    uint32_t count;
    const uint8_t* literal;
    uint32_t dx, dy;
};

// The code at *at, which then moves past it.
RleCode NextRleCode(const uint8_t* data, uint32_t size, uint32_t* at, bool fourBit);

// Pixel i of a run or a literal.
inline uint8_t RlePixel(const RleCode& code, uint32_t i, bool fourBit)
{
    if (code.kind == RleCode::Run) return !fourBit ? code.value : i & 1 ? code.value & 15 : code.value >> 4;
    return !fourBit ? code.literal[i] : i & 1 ? code.literal[i / 2] & 15 : code.literal[i / 2] >> 4;
}
