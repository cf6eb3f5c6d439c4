#pragma once
#include <windows.h>

#include "text/errors.h"

Err SystemError(DWORD code, const Text& path);
Err LastError(const Text& path);
