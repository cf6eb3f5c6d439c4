#pragma once
#include "../tool/run_state.h"

constexpr int32_t kPreviewWidth = 96;
constexpr int32_t kPreviewHeight = 60;

Err PreviewDrawing(Tool& t, LogoSlot slot);
void ShowPreviews(Tool& t);
