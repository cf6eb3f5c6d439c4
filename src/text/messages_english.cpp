// Plain ASCII, so that it reads the same in every code page; the order is
// that of TextId.
#include "text/messages.h"

const char* const kEnglishTexts[kTextCount] = {
    "",
    "Plumwick",
    "Start-up", "Shutdown", "Power off",
    "Set...",
    "Start-up logo", "Shutdown logo", "Power-off logo",
    "Note: is the .bmp file 320 x 400 pixels with 256 colours?",
    "How to make a logo", "Default", "OK", "Cancel",
    "How to make a logo file",
    "This tool runs on Windows 98 and Windows 95 on PC/AT-compatible computers.",
    "A logo file is, by convention, a bitmap of 320 x 400 pixels with 256 colours. "
    "At start-up and shutdown Windows stretches it to 640 x 400 (twice as wide). "
    "So first draw a 640 x 400, 256-colour .bmp picture, then halve its width with "
    "suitable image software.",
    "640 x 400, 256 colours",
    "320 x 400, 256 colours",
    "Continue?",
    "Oops! Please check the file",
    "Bitmaps (*.bmp)|*.bmp",
    "These logos could not be saved in the BakLog folder:",
    "Default cannot bring them back.",
    "No logo has been changed.",
    "This picture is ", " x ", ", ", "2 colours", "16 colours", "256 colours", "-bit colour", "compressed", ".",
    "Windows shows a logo only if it is an uncompressed bitmap of 320 x 400 pixels with 256 colours.",
    "Make a logo of it? The copy goes in the Logos folder and is chosen instead.",
    "The logo copy could not be made; the file stays as chosen.",
    "Invalid procedure call or argument.",
    "Overflow.",
    "Out of memory.",
    "Bad file name or number.",
    "File not found.",
    "Device I/O error.",
    "File already exists.",
    "Disk full.",
    "Permission denied.",
    "Disk not ready.",
    "Path/File access error.",
    "Path not found.",
    "A part of Windows that this tool needs is missing.",
    "Invalid picture.",
    "Cancel was selected.",
    "Application-defined or object-defined error.",
};
