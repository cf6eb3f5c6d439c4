// A window and nothing else, built like the tool, to compare start-up times.
// Built a second time with BARE_WITH_CONTROLS: the same window holding as many
// standard controls as the tool's main window (buttons, labels, picture
// boxes), to tell what the controls alone cost.
#include <windows.h>

void RunGlobalConstructors();

namespace {
LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) ExitProcess(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

#ifdef BARE_WITH_CONTROLS
LRESULT CALLBACK BlackProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(hwnd, &paint);
    return 0;
}

struct Child {
    const char* windowClass;
    const char* text;
    int left, top, width, height;
};

// The main window's shown controls, at their places at 96 dpi.
const Child kChildren[] = {
    {"BUTTON", "Set", 64, 8, 41, 17},
    {"BUTTON", "Set", 64, 32, 41, 17},
    {"BUTTON", "Set", 64, 56, 41, 17},
    {"BUTTON", "Make", 8, 192, 121, 25},
    {"BUTTON", "Reset", 136, 192, 57, 25},
    {"BUTTON", "OK", 200, 192, 57, 25},
    {"BUTTON", "Cancel", 264, 192, 57, 25},
    {"BareBlack", "", 16, 104, 96, 60},
    {"BareBlack", "", 120, 104, 96, 60},
    {"BareBlack", "", 224, 104, 96, 60},
    {"STATIC", "Start-up", 8, 11, 54, 12},
    {"STATIC", "Shutdown", 8, 35, 54, 12},
    {"STATIC", "Power off", 8, 59, 54, 12},
    {"STATIC", "", 112, 11, 0, 12},
    {"STATIC", "", 112, 35, 0, 12},
    {"STATIC", "", 112, 59, 0, 12},
    {"STATIC", "Start-up logo", 16, 88, 96, 17},
    {"STATIC", "Shutdown logo", 120, 88, 96, 17},
    {"STATIC", "Power-off logo", 224, 88, 96, 17},
    {"STATIC", "320 x 400, 256 colours", 8, 168, 321, 17},
};

void AddChildren(HWND parent, HINSTANCE instance)
{
    WNDCLASSA black = {};
    black.lpfnWndProc = BlackProc;
    black.hInstance = instance;
    black.lpszClassName = "BareBlack";
    RegisterClassA(&black);
    int id = 100;
    for (const Child& c : kChildren) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (lstrcmpA(c.windowClass, "BUTTON") ? 0 : WS_TABSTOP);
        HWND child = CreateWindowExA(0, c.windowClass, c.text, style, c.left, c.top, c.width, c.height, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
}
#endif
}

extern "C" void WINAPI PlumwickEntry()
{
    RunGlobalConstructors();
    WNDCLASSA bare = {};
    bare.lpfnWndProc = BareProc;
    bare.hInstance = GetModuleHandleA(nullptr);
    bare.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bare.lpszClassName = "BareWindow";
    RegisterClassA(&bare);
    HWND hwnd = CreateWindowExA(0, "BareWindow", "Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 346, 256, nullptr, nullptr, bare.hInstance, nullptr);
#ifdef BARE_WITH_CONTROLS
    AddChildren(hwnd, bare.hInstance);
#endif
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ExitProcess(0);
}
