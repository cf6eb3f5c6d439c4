#pragma once
#include <stddef.h>
#include <stdint.h>

// How a camera says the picture is to be turned: the EXIF orientation, 1
// (upright as stored) to 8, of an APP1 segment's data ("Exif\0\0" and a
// TIFF header); 1 for anything else.
int ExifOrientation(const uint8_t* data, size_t size);

// Orientations 5 to 8 turn a picture a quarter: its rows become columns.
constexpr bool TurnsAcross(int orientation) { return orientation >= 5; }

// Where pixel x, y of the upright picture lies in the stored one, width x
// height: mirrored and turned as the orientation says (6: a quarter turn
// clockwise, 8: anticlockwise...).
void UprightSource(int orientation, uint32_t width, uint32_t height, uint32_t x, uint32_t y, uint32_t* sx,
                   uint32_t* sy);
