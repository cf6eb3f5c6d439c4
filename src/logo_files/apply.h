#pragma once
#include "logo_files/machine.h"

// Puts each chosen file (empty: none) in place of its slot's live logo; the
// default start-up marker removes logo.sys.
Err ApplyLogos(Machine& m, const Text chosen[kSlotCount]);

// Puts the backup's logos back, once the backup proves whole, and answers
// each slot's default source: its backup, or for a logo that was not there,
// the marker for the start-up logo and nothing for the others.
Err RestoreDefaultLogos(Machine& m, Text sources[kSlotCount]);
