#pragma once
#include <windows.h>

#include "../errors.h"

Err SystemError(DWORD code, const Text& path);
Err LastError(const Text& path);
