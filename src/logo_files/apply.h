#pragma once
#include "logo_files/backup.h"

// Puts each chosen file (empty: none) in place of its slot's live logo.
Err ApplyLogos(Machine& m, const Text chosen[kSlotCount]);

// Puts back every logo the backup has, slot by slot, and answers what came
// of each; a slot it cannot give back is left as it is. The first failure
// of a putting back stops the run with the later slots untouched.
Err RestoreDefaultLogos(Machine& m, Restored done[kSlotCount]);
