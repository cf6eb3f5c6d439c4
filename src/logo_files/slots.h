#pragma once
#include "logo_files/run_state.h"

Text LivePath(const Tool& t, LogoSlot slot);
Text BackupPath(Tool& t, LogoSlot slot);
Text BackupFolder(Tool& t);
Text DefaultPicturePath(Tool& t);
Text DefaultStartupMarker(Tool& t);
Text LogosFolder(Tool& t);

Err DeleteLogoIfPresent(Tool& t, LogoSlot slot);
Err ReplaceLogo(Tool& t, LogoSlot slot, const Text& from);
Err RecoverLogo(Tool& t, LogoSlot slot);
Err StoreBackup(Tool& t, LogoSlot slot);
