#include "host/msdos_sys.h"

#include <strings.h>
#include <algorithm>
#include <cctype>

#include "host/user_error.h"

namespace {
const char kSection[] = "[paths]";
const char kKey[] = "windir";

std::string Trim(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool SameIgnoringCase(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// "C:\WINDOWS\" to "WINDOWS"; the drive letter, if any, must be C.
std::string FolderInsideBootDrive(std::string value, const std::string& where)
{
    if (value.size() >= 2 && value[1] == ':') {
        if (std::toupper(static_cast<unsigned char>(value[0])) != 'C')
            throw UserError(where + " puts Windows in " + value +
                            ", not on the boot drive C:; plumwick reaches "
                            "only the boot drive's file system");
        value.erase(0, 2);
    }
    std::replace(value.begin(), value.end(), '\\', '/');
    const size_t first = value.find_first_not_of('/');
    if (first == std::string::npos) return "";
    value.erase(0, first);
    while (!value.empty() && value.back() == '/') value.pop_back();
    return value;
}
}

std::string WindowsFolderFromMsdosSys(const Bytes& msdosSys, const std::string& where)
{
    // Windows 95/98's MSDOS.SYS is a short text of settings; MS-DOS's own is
    // part of the system, a program.
    if (std::find(msdosSys.begin(), msdosSys.end(), 0) != msdosSys.end())
        throw UserError(where +
                        " is MS-DOS's system file, not Windows 95/98's settings: this disk holds no "
                        "Windows 95 or 98 to take logos");
    const std::string text(msdosSys.begin(), msdosSys.end());
    bool inPaths = false;
    size_t at = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line[0] == '[') {
            inPaths = SameIgnoringCase(line, kSection);
            continue;
        }
        const size_t equals = line.find('=');
        if (inPaths && equals != std::string::npos && SameIgnoringCase(Trim(line.substr(0, equals)), kKey)) {
            const std::string value = Trim(line.substr(equals + 1));
            if (!value.empty()) return FolderInsideBootDrive(value, where);
        }
    }
    throw UserError(where +
                    " names no Windows folder ([Paths] WinDir=); it is not Windows 95/98's, or it is damaged: "
                    "check it with the emulator");
}
