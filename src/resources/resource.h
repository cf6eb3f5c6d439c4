#pragma once

#define IDI_PLUMWICK 1
#define IDR_IMAGE1 101
#define IDR_IMAGE2 102
