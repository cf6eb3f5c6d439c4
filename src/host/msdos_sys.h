#pragma once
#include <string>

#include "host/host_files.h"

// The Windows folder that Windows 95/98's MSDOS.SYS names in [Paths]
// WinDir=, as Windows writes a path: "C:\WINDOWS", "D:\WIN98" (C: when it
// names no drive; "C:" alone for a drive's root); "" when it names none. A
// UserError naming `where` if the file is MS-DOS's own (a binary: no
// Windows 95/98 on the disk).
std::string WinDirFromMsdosSys(const Bytes& msdosSys, const std::string& where);

// A folder as the user or MSDOS.SYS wrote it ("d:/win98/", "\WINDOWS"),
// written as Windows does: "D:\WIN98", "C:\WINDOWS"; a drive's root as "C:".
std::string WindowsPath(std::string given);
