#pragma once
#include "logo_files/run_state.h"

// Puts each chosen file (empty: none) in place of its slot's live logo.
Err ApplyLogos(Tool& t, const Text chosen[kSlotCount]);

// Each slot's default source, once every backup it needs proves readable:
// its backup, or for the start-up logo without one, the marker that removes
// logo.sys.
Err DefaultLogoSources(Tool& t, Text sources[kSlotCount]);

// Puts the default logos back and answers each slot's default source.
Err RestoreDefaultLogos(Tool& t, Text sources[kSlotCount]);
