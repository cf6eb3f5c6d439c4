// A window and nothing else, built like the tool, to compare start-up times.
#include <windows.h>

void RunGlobalConstructors();

namespace {
LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) ExitProcess(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
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
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ExitProcess(0);
}
