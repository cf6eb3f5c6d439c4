#pragma once
#include "logo_files/machine.h"
#include "logo_files/safe_replace.h"

// WindowsDir and BootRoot, as given; empty for one that is not known.
void PlaceWindows(Machine& m, const Text& windowsDir, const Text& bootRoot);
// The root of the drive a path is on: "C:\" for "C:\WINDOWS".
Text DriveRoot(const Text& path);
// The tool's folder, which holds the backup folder BakLog.
void PlaceTool(Machine& m, const Text& toolFolder);

// "logo.sys", "logow.sys", "logos.sys".
const char* LogoName(LogoSlot slot);
// Whether the slot's folder is known: without the Windows folder the
// shutdown logos have none.
bool HasPlace(const Machine& m, LogoSlot slot);
Text LivePath(const Machine& m, LogoSlot slot);
Text BackupPath(const Machine& m, LogoSlot slot);
Text DefaultPicturePath(const Machine& m);
Text LogosFolder(const Machine& m);
// The tool's settings file.
Text SettingsPath(const Machine& m);

// Hidden, system and read-only logos go too: Windows shows them all.
Err DeleteLogoIfPresent(Machine& m, LogoSlot slot);
// The new logo takes the attributes given, or by default those of the
// logo it replaces.
Err ReplaceLogo(Machine& m, LogoSlot slot, const Text& from, uint32_t attributes = kSameAttributes);
Err RecoverLogo(Machine& m, LogoSlot slot);
// Puts right every slot that a replace cut off half way left behind; the
// first failure is answered, after every slot has been tried.
Err RecoverAllLogos(Machine& m);
