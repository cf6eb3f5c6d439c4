#include "picture/byte_source.h"

Err MemorySource::read(uint32_t offset, uint8_t* into, uint32_t count, uint32_t* got)
{
    const uint32_t left = offset < size_ ? size_ - offset : 0;
    *got = count < left ? count : left;
    if (*got) CopyBytes(into, data_ + offset, *got);
    return Err();
}
