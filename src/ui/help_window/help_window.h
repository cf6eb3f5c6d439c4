#pragma once
#include "logo_files/run_state.h"

namespace Form2 {
enum Control : int { Label1, Label2, Label3, Label4, Image1, Image2, kControlCount };
extern const FormDef kDefinition;
}

// Modal: returns when the user has closed the window.
Err ShowHelpWindow(Tool& t);
Err InitHelpWindow(Tool& t, FormHandle form);
