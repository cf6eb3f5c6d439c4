#pragma once
#include "logo_files/picture_verdict.h"
#include "picture/make_logo.h"
#include "ui/main_window/main_window.h"

constexpr int32_t kPreviewWidth = 96;
constexpr int32_t kPreviewHeight = 60;

// The preview box's size in pixels: it grows with Large Fonts, and so does
// what is drawn into it.
void PreviewBoxSize(Tool& t, int32_t* width, int32_t* height);

// Finished pixels of the box's size into the slot's preview.
Err DrawPreview(MainWindow& w, LogoSlot slot, const uint8_t* bgr);

// Reads the file once, a piece at a time, and its whole picture fills the
// slot's preview; slot 0's follows a moving logo. A file that cannot be
// read, or is no bitmap the tool takes, is drawn nothing of, and the error
// names it (kErrInvalidPicture for a picture, damaged or too large).
// `found`, if given, gets what the reading found.
Err PreviewFile(MainWindow& w, LogoSlot slot, const Text& path, PictureVerdict* found = nullptr);

// The logo as it is installed: the start-up logo, or without one the
// picture of Windows' own; a shutdown logo that is not there previews as
// none, a grey box crossed out. Failures are met by `meet`.
void PreviewInstalledLogo(MainWindow& w, LogoSlot slot, void (*meet)(Tool&, const Err&));
void PreviewInstalledLogos(MainWindow& w, void (*meet)(Tool&, const Err&));
