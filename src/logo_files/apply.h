#pragma once
#include "logo_files/run_state.h"

// Puts each chosen file (empty: none) in place of its slot's live logo.
Err ApplyLogos(Tool& t, const Text chosen[kSlotCount]);

// Puts the default logos back and answers each slot's default source.
Err RestoreDefaultLogos(Tool& t, Text sources[kSlotCount]);
