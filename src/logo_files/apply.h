#pragma once
#include "tool.h"

Err ApplyLogos(Tool& t);
Err RestoreDefaultLogos(Tool& t);
