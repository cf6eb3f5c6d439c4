#pragma once

#define IDI_PLUMWICK 1
// The help window's two samples: a logo drawn 640 x 400, and squeezed.
#define IDR_WIDE_SAMPLE 101
#define IDR_SQUEEZED_SAMPLE 102
