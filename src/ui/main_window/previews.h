#pragma once
#include "picture/area_average.h"
#include "logo_files/run_state.h"

constexpr int32_t kPreviewWidth = 96;
constexpr int32_t kPreviewHeight = 60;

Err PreviewDrawing(Tool& t, LogoSlot slot);
// The preview box's size in pixels, and what an area average of that size
// gathered drawn into it.
void PreviewBoxSize(Tool& t, int32_t* width, int32_t* height);
Err DrawPreview(Tool& t, LogoSlot slot, const AreaAverage& average, int32_t width, int32_t height);
// Loads, draws and releases; each step's failure is met by `meet`, then the
// next step runs.
void PreviewFile(Tool& t, LogoSlot slot, const Text& path, void (*meet)(Tool&, const Err&));
void ShowPreviews(Tool& t);
