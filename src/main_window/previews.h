#pragma once
#include "../tool/run_state.h"

constexpr int32_t kPreviewWidth = 96;
constexpr int32_t kPreviewHeight = 60;

Err PreviewDrawing(Tool& t, LogoSlot slot);
// Loads, draws and releases; each step's failure is met by `meet`, then the
// next step runs.
void PreviewFile(Tool& t, LogoSlot slot, const Text& path, void (*meet)(Tool&, const Err&));
void ShowPreviews(Tool& t);
