#pragma once
#include "logo_files/machine.h"

// Beside the tool: Random\LOGO, Random\LOGOW and Random\LOGOS hold the
// logos to choose from for start-up, shutdown and power-off.
Text RandomFolder(Machine& m, LogoSlot slot);

// For each slot, chosen at random from the seed, one of the files in its
// folder that is a logo Windows shows (never the live one while there is
// another to choose) or a picture, whose logo is then made and written to
// MadeRandomLogoPath. Empty where there is nothing to change: no such file,
// or only the live logo.
Err PickRandomLogos(Machine& m, uint32_t seed, Text picks[kSlotCount]);

// Where the logo made of a slot's picked picture waits to be installed,
// beside the slot's folder, under a name of the tool's own so that no
// file of the user's is ever taken for it: Random\LOGO.pwm and so on.
Text MadeRandomLogoPath(Machine& m, LogoSlot slot);

// The made logos deleted, once installed or not.
void ClearMadeRandomLogos(Machine& m);
