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
}

std::string WinDirFromMsdosSys(const Bytes& msdosSys, const std::string& where)
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
            if (!value.empty()) return WindowsPath(value);
        }
    }
    return "";
}

std::string WindowsPath(std::string given)
{
    std::string drive = "C:";
    if (given.size() >= 2 && given[1] == ':') {
        drive = {static_cast<char>(std::toupper(static_cast<unsigned char>(given[0]))), ':'};
        given.erase(0, 2);
    }
    std::replace(given.begin(), given.end(), '/', '\\');
    const size_t first = given.find_first_not_of('\\');
    if (first == std::string::npos) return drive;
    given.erase(0, first);
    while (!given.empty() && given.back() == '\\') given.pop_back();
    return drive + "\\" + given;
}
