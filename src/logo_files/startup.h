#pragma once
#include "../tool/run_state.h"

// WindowsDir and BootRoot, from the system.
void FindSystemFolders(Tool& t);

// On the first start (no BakLog folder yet) saves the live logos in BakLog.
void BackUpOnFirstStart(Tool& t);
