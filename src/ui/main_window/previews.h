#pragma once
#include "ui/main_window/main_window.h"

constexpr int32_t kPreviewWidth = 96;
constexpr int32_t kPreviewHeight = 60;

// The preview box's size in pixels: it grows with Large Fonts, and so does
// what is drawn into it.
void PreviewBoxSize(Tool& t, int32_t* width, int32_t* height);

// Finished pixels of the box's size into the slot's preview.
Err DrawPreview(MainWindow& w, LogoSlot slot, const uint8_t* bgr);

// The whole picture of the file fills the slot's preview. A file that
// cannot be read, or is no bitmap, is met by `meet` and leaves the preview
// as it was.
void PreviewFile(MainWindow& w, LogoSlot slot, const Text& path, void (*meet)(Tool&, const Err&));

// Runs after every change of a choice and previews every slot that has one.
void ShowPreviews(MainWindow& w);

// The logos as they are installed: the start-up logo, or without one the
// picture of Windows' own; a shutdown logo that is not there previews as
// none, a grey box crossed out. Failures are met by `meet`.
void PreviewInstalledLogos(MainWindow& w, void (*meet)(Tool&, const Err&));
