#pragma once
#include <stdint.h>

// A picture that a decoder must hold whole before its first row comes out
// (a progressive JPEG, an interlaced PNG, a GIF, a camera's quarter turn)
// has this many pixels at most, and the decoder this many bytes.
constexpr uint64_t kMaxWholePixels = 4u << 20;
constexpr uint32_t kMaxDecoderBytes = 16u << 20;

// The decoders are C libraries that report a fatal error by calling back,
// and the call must not return: it jumps back to where the reader called
// them. __builtin_setjmp needs no C runtime, which the Windows exe lacks.
struct DecoderJump {
    void* buffer[5];
};
#define PLUMWICK_DECODER_CALL(jump) (__builtin_setjmp((jump).buffer) == 0)
[[noreturn]] inline void JumpBack(DecoderJump& jump) { __builtin_longjmp(jump.buffer, 1); }
