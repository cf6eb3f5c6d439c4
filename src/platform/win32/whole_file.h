#pragma once
#include <windows.h>

#include "text/errors.h"

// A whole file of at most maxSize bytes, in a new[] buffer the caller deletes.
// A larger one is kErrInvalidPicture: only pictures are read whole.
Err ReadWholeFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size);

// A new file; an existing one is kErrFileExists and stays as it is.
Err WriteNewFile(const Text& path, const uint8_t* data, uint32_t size);
