#pragma once
#include "tool.h"

void Main(Tool& t);
