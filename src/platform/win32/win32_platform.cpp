// Process, settings, screen and dialogs. Every function used here is
// in Windows 95's own DLLs; the project's win95-imports.txt says where each
// is documented as present.
#include "platform/win32/win32_platform.h"

#include <commdlg.h>
#include <stddef.h>

#include "platform/win32/system_error.h"

namespace {
constexpr char kSingleCopyMutex[] = "Plumwick.SingleCopy";
constexpr char kDialogLibrary[] = "COMDLG32.DLL";

constexpr uint32_t kWindowsDirBuffer = 256;

// "a|b|c|d" becomes "a\0b\0c\0d\0\0"; a '|' that is the second byte of a
// double-byte character stays.
char* FilterList(const Text& filter)
{
    char* list = new char[filter.size() + 2];
    if (!list) return nullptr;
    CopyBytes(list, filter.c_str(), filter.size() + 1);
    // The next character is found before a '|' becomes the end of a string.
    for (char *c = list, *next; *c; c = next) {
        next = CharNextA(c);
        if (*c == '|') *c = '\0';
    }
    list[filter.size() + 1] = '\0';
    return list;
}
}

// A modal window leaves the focus on its owner window itself, where the
// next Enter would press the default button: the control that had the focus
// gets it back, as in the system's own dialogs.
FocusKeeper::FocusKeeper() : focus_(GetFocus()) {}
FocusKeeper::~FocusKeeper()
{
    if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

Win32Platform::Win32Platform() : instance_(GetModuleHandleA(nullptr)) {}

// After the program's own name, which may be quoted; walked a character at
// a time, as every path is.
Text Win32Platform::commandLine()
{
    const char* at = GetCommandLineA();
    const bool quoted = *at == '"';
    if (quoted) at = CharNextA(at);
    while (*at && (quoted ? *at != '"' : *at != ' ' && *at != '\t')) at = CharNextA(at);
    if (quoted && *at) at = CharNextA(at);
    while (*at == ' ' || *at == '\t') ++at;
    return Text(at);
}

uint32_t Win32Platform::randomSeed()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const uint32_t timeOfDay = ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
    return timeOfDay * 2654435761u ^ GetTickCount();
}

// The first copy holds the named mutex until it ends; the name covers every
// copy of the tool, wherever it was started from.
bool Win32Platform::anotherCopyRunning()
{
    singleCopy_ = CreateMutexA(nullptr, TRUE, kSingleCopyMutex);
    return singleCopy_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

// The exe's own path cut at its last backslash. The path is walked a
// character at a time: a Shift-JIS character's second byte may be 0x5C.
Text Win32Platform::toolFolder()
{
    if (!folder_[0]) {
        char path[MAX_PATH] = {};
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return Text();
        char* last = nullptr;
        for (char* c = path; *c; c = CharNextA(c))
            if (*c == '\\') last = c;
        if (last) *last = '\0';
        lstrcpynA(folder_, path, MAX_PATH);
    }
    return Text(folder_);
}

// Cut at the first NUL of a zeroed buffer: nothing written gives empty text.
Text Win32Platform::windowsDirectory()
{
    char buffer[kWindowsDirBuffer] = {};
    GetWindowsDirectoryA(buffer, kWindowsDirBuffer);
    uint32_t length = 0;
    while (length < kWindowsDirBuffer && buffer[length]) ++length;
    return Text(buffer, length);
}

uint32_t Win32Platform::codePage() { return GetACP(); }

void Win32Platform::endNow() { ExitProcess(0); }

bool Win32Platform::readProfileString(const Text& section, const Text& key, const Text& file, Text* value)
{
    char text[64] = {};
    DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", text, sizeof text, file.c_str());
    *value = Text(text, length);
    return length > 0;
}

void Win32Platform::writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

// The dots per inch change only with a restart of Windows: read once.
ScreenInfo Win32Platform::screen()
{
    if (!dpiX_) {
        HDC dc = GetDC(nullptr);
        dpiX_ = GetDeviceCaps(dc, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
    }
    return {dpiX_, dpiY_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
            GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION)};
}

// Task-modal: every window of the tool waits until the box is answered.
Answer Win32Platform::messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title)
{
    FocusKeeper keep;
    UINT style = MB_TASKMODAL | (buttons == Buttons::Ok ? MB_OK : MB_YESNO);
    if (buttons == Buttons::YesNoDefaultNo) style |= MB_DEFBUTTON2;
    if (icon == Icon::Question) style |= MB_ICONQUESTION;
    if (icon == Icon::Critical) style |= MB_ICONSTOP;
    if (icon == Icon::Information) style |= MB_ICONINFORMATION;
    switch (MessageBoxA(nullptr, text.c_str(), title.c_str(), style)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Ok;
    }
}

// Windows 95 and NT 4 refuse the structure at its later, longer size.
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(void*) == 76,
              "the size Windows 95 takes");

using OpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEA*);
using DialogErrorFunction = DWORD(WINAPI*)();

// COMDLG32 is loaded on the first use of the dialog, not at start: importing
// it makes the loader bring in the shell and its friends before the window
// can show.
Err Win32Platform::showOpen(OpenFileRequest& request)
{
    if (!dialogs_) dialogs_ = LoadLibraryA(kDialogLibrary);
    auto getOpenFileName = reinterpret_cast<OpenFileNameFunction>(
        reinterpret_cast<void*>(dialogs_ ? GetProcAddress(dialogs_, "GetOpenFileNameA") : nullptr));
    auto dialogError = reinterpret_cast<DialogErrorFunction>(
        reinterpret_cast<void*>(dialogs_ ? GetProcAddress(dialogs_, "CommDlgExtendedError") : nullptr));
    if (!getOpenFileName || !dialogError) return Err(kErrCannotCreateObject, kDialogLibrary);
    FocusKeeper keep;
    char file[MAX_PATH] = {};
    lstrcpynA(file, request.chosen.c_str(), MAX_PATH);
    char* filter = FilterList(request.filter);
    if (!filter) return Err(kErrOutOfMemory);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    HWND owner = nullptr;
    for (const Form& f : forms_)
        if (f.loaded && IsWindowVisible(f.hwnd) && IsWindowEnabled(f.hwnd)) owner = f.hwnd;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = request.folder.c_str();
    ofn.Flags = OFN_HIDEREADONLY;
    BOOL chosen = getOpenFileName(&ofn);
    delete[] filter;
    if (chosen) {
        request.chosen = Text(file);
        return Err();
    }
    return dialogError() != 0 ? Err(kErrInvalidCall) : Err(kErrCancelled);
}

// The cursor changes at once, while no message is handled; the next move of
// the mouse afterwards brings the window's own back anyway.
void Win32Platform::showBusy(bool busy)
{
    static HCURSOR before = nullptr;
    if (busy)
        before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    else
        SetCursor(before ? before : LoadCursorA(nullptr, IDC_ARROW));
}

// The pictures are whole bitmap files, stored as raw data.
Err Win32Platform::resource(uint16_t id, const uint8_t** data, uint32_t* size)
{
    HRSRC found = FindResourceA(instance_, MAKEINTRESOURCEA(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return Err(kErrInvalidPicture);
    *data = static_cast<const uint8_t*>(bytes);
    *size = SizeofResource(instance_, found);
    return Err();
}
