#pragma once
#include "logo_files/machine.h"

// Beside the tool: Random\LOGO, Random\LOGOW and Random\LOGOS hold the
// logos to choose from for start-up, shutdown and power-off.
Text RandomFolder(Machine& m, LogoSlot slot);

// For each slot, one of the logos in its folder that Windows shows, chosen
// at random from the seed: never the live one while there is another to
// choose. Empty where there is nothing to change: no such logo, or only the
// live one.
Err PickRandomLogos(Machine& m, uint32_t seed, Text picks[kSlotCount]);
