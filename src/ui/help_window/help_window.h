#pragma once
#include "tool.h"
#include "ui/control_ids.h"

extern const FormDef kHelpWindowDef;

// Modal: returns when the user has closed the window.
Err ShowHelpWindow(Tool& t);
