#pragma once
#include "tool.h"
#include "ui/control_ids.h"

extern const FormDef kHelpWindowDef;

// Modal, over `owner` and a title bar lower and to the right, on screen:
// returns when the user has closed the window.
Err ShowHelpWindow(Tool& t, FormHandle owner);
