#pragma once
#include <string>

#include "host/host_files.h"

// The Windows folder that Windows 95/98's MSDOS.SYS names in [Paths]
// WinDir=, as a path inside the boot drive ("WINDOWS", "WIN98/SYSTEM"...;
// "" for the root). A UserError naming `where` if the file is MS-DOS's own
// (a binary: no Windows 95/98 on the disk), has no WinDir, or names a
// folder on another drive than C:.
std::string WindowsFolderFromMsdosSys(const Bytes& msdosSys, const std::string& where);
