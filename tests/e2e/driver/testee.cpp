// A small ANSI-API window for proving the driver works: buttons (one disabled),
// labels, an edit box, check and radio buttons, a combo box, message boxes and
// the file-open dialog. Every user-visible effect is appended, one line each,
// to testee_log.txt in the current folder (ANSI code page text).
#undef UNICODE
#undef _UNICODE
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <string>

namespace {

enum {
    ID_LABEL = 100,
    ID_PRESS = 101,
    ID_DISABLED = 102,
    ID_QUESTION = 103,
    ID_CRITICAL = 104,
    ID_OPEN = 105,
    ID_EDIT = 106,
    ID_EXCLAMATION = 107,
    ID_INFORMATION = 108,
    ID_PLAIN = 109,
    ID_PREVIEW = 110,
    ID_BLANK = 111,
    ID_DPI = 112,
    ID_ICON = 113,
    ID_CHECK = 114,
    ID_RADIO1 = 115,
    ID_RADIO2 = 116,
    ID_COMBO = 117,
    ID_OPEN76 = 118,
};

HWND g_main;
int g_presses;

// Literals are written in UTF-8 here and handed to the "A" functions in the
// ANSI code page, as a Shift-JIS program would.
std::string A(const char* utf8) {
    wchar_t w[1024];
    char a[2048];
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w, 1024);
    if (n <= 0) return std::string();
    WideCharToMultiByte(CP_ACP, 0, w, -1, a, sizeof a, nullptr, nullptr);
    return a;
}

void log_line(const std::string& s) {
    FILE* f = fopen("testee_log.txt", "ab");
    if (!f) return;
    fwrite(s.data(), 1, s.size(), f);
    fputc('\n', f);
    fclose(f);
}

HWND add(const char* cls, const char* utf8, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(0, cls, A(utf8).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h, g_main,
                           (HMENU)(INT_PTR)id, GetModuleHandleA(nullptr), nullptr);
}

void ask(const char* kind, const char* text, const char* title, UINT type) {
    int r = MessageBoxA(g_main, A(text).c_str(), A(title).c_str(), type);
    const char* name = r == IDYES ? "yes" : r == IDNO ? "no" : r == IDOK ? "ok" : r == IDCANCEL ? "cancel" : "other";
    log_line(std::string("msgbox-") + kind + " " + name);
}

void open_file(DWORD struct_size) {
    char file[MAX_PATH] = "";
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, dir);
    std::string title = A("画像を開く");
    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = struct_size;
    ofn.hwndOwner = g_main;
    ofn.lpstrFilter = "Bitmap (*.bmp)\0*.bmp\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = dir;
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&ofn))
        log_line(std::string("open ") + file);
    else
        log_line("open-cancel " + std::to_string(CommDlgExtendedError()));
}

LRESULT CALLBACK preview_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        RECT r;
        GetClientRect(h, &r);
        for (int y = 0; y < r.bottom; y += 8)
            for (int x = 0; x < r.right; x += 8) {
                RECT c = {x, y, x + 8, y + 8};
                HBRUSH b = CreateSolidBrush(RGB((x * 5) & 255, (y * 7) & 255, ((x + y) * 3) & 255));
                FillRect(dc, &c, b);
                DeleteObject(b);
            }
        EndPaint(h, &ps);
        return 0;
    }
    return DefWindowProcA(h, m, wp, lp);
}

void on_command(int id, int code) {
    switch (id) {
    case IDOK: log_line("ok"); break;
    case IDCANCEL: log_line("cancel"); break;
    case ID_PRESS: {
        ++g_presses;
        log_line("pressed " + std::to_string(g_presses));
        std::string t = A("押した回数: ") + std::to_string(g_presses);
        SetDlgItemTextA(g_main, ID_LABEL, t.c_str());
        break;
    }
    case ID_DISABLED: log_line("disabled-pressed"); break;
    case ID_QUESTION: ask("question", "続けますか?", "Testee 質問", MB_YESNO | MB_ICONQUESTION); break;
    case ID_CRITICAL: ask("critical", "失敗しました。", "Testee エラー", MB_OK | MB_ICONHAND); break;
    case ID_EXCLAMATION: ask("exclamation", "注意してください。", "Testee 警告", MB_OKCANCEL | MB_ICONEXCLAMATION); break;
    case ID_INFORMATION: ask("information", "完了しました。", "Testee 情報", MB_OK | MB_ICONINFORMATION); break;
    case ID_PLAIN: ask("plain", "アイコンなし", "Testee なし", MB_OK); break;
    // The 4.0 size is 76 bytes only in a 32-bit build; Wine refuses a literal
    // 76 from an x86-64 program with CDERR_STRUCTSIZE.
    case ID_OPEN: open_file(OPENFILENAME_SIZE_VERSION_400A); break;
    case ID_OPEN76: open_file(76); break;
    case ID_CHECK:
        log_line("check " + std::to_string((int)SendDlgItemMessageA(g_main, ID_CHECK, BM_GETCHECK, 0, 0)));
        break;
    case ID_RADIO1:
    case ID_RADIO2: log_line("radio " + std::to_string(id)); break;
    case ID_COMBO:
        if (code == CBN_SELCHANGE)
            log_line("combo " + std::to_string((int)SendDlgItemMessageA(g_main, ID_COMBO, CB_GETCURSEL, 0, 0)));
        break;
    case ID_EDIT:
        if (code == EN_CHANGE) log_line("edit-change");
        break;
    }
}

void create_controls() {
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    add("STATIC", "ラベル: 準備完了", SS_LEFT, 10, 10, 260, 20, ID_LABEL);
    HDC dc = GetDC(nullptr);
    std::string dpi = "dpi=" + std::to_string(GetDeviceCaps(dc, LOGPIXELSX));
    ReleaseDC(nullptr, dc);
    add("STATIC", dpi.c_str(), SS_LEFT, 280, 10, 100, 20, ID_DPI);
    add("EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 10, 36, 200, 22, ID_EDIT);
    add("BUTTON", "押す", WS_TABSTOP | BS_PUSHBUTTON, 10, 66, 90, 26, ID_PRESS);
    HWND dis = add("BUTTON", "無効", WS_TABSTOP | BS_PUSHBUTTON, 110, 66, 90, 26, ID_DISABLED);
    EnableWindow(dis, FALSE);
    add("BUTTON", "質問...", WS_TABSTOP | BS_PUSHBUTTON, 210, 66, 90, 26, ID_QUESTION);
    add("BUTTON", "エラー...", WS_TABSTOP | BS_PUSHBUTTON, 310, 66, 90, 26, ID_CRITICAL);
    add("BUTTON", "警告...", WS_TABSTOP | BS_PUSHBUTTON, 10, 98, 90, 26, ID_EXCLAMATION);
    add("BUTTON", "情報...", WS_TABSTOP | BS_PUSHBUTTON, 110, 98, 90, 26, ID_INFORMATION);
    add("BUTTON", "なし...", WS_TABSTOP | BS_PUSHBUTTON, 210, 98, 90, 26, ID_PLAIN);
    add("BUTTON", "開く...", WS_TABSTOP | BS_PUSHBUTTON, 310, 98, 90, 26, ID_OPEN);
    add("BUTTON", "チェック", WS_TABSTOP | BS_AUTOCHECKBOX, 10, 130, 100, 22, ID_CHECK);
    add("BUTTON", "赤", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 120, 130, 60, 22, ID_RADIO1);
    HWND r1 = GetDlgItem(g_main, ID_RADIO1);
    SendMessageA(r1, BM_SETCHECK, BST_CHECKED, 0);
    add("BUTTON", "青", BS_AUTORADIOBUTTON, 180, 130, 60, 22, ID_RADIO2);
    HWND combo = add("COMBOBOX", "", WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 250, 130, 150, 120, ID_COMBO);
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)A("起動画面").c_str());
    SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)A("終了画面").c_str());
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    HWND icon = add("STATIC", "", SS_ICON, 10, 162, 32, 32, ID_ICON);
    SendMessageA(icon, STM_SETICON, (WPARAM)LoadIconA(nullptr, IDI_APPLICATION), 0);
    CreateWindowExA(WS_EX_CLIENTEDGE, "TesteePreview", "", WS_CHILD | WS_VISIBLE, 60, 162, 120, 80, g_main,
                    (HMENU)ID_PREVIEW, GetModuleHandleA(nullptr), nullptr);
    add("STATIC", "", SS_LEFT, 190, 162, 120, 80, ID_BLANK);
    add("BUTTON", "76...", WS_TABSTOP | BS_PUSHBUTTON, 320, 162, 80, 26, ID_OPEN76);
    add("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 210, 250, 90, 26, IDOK);
    add("BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, 310, 250, 90, 26, IDCANCEL);
    for (HWND c = GetWindow(g_main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        SendMessageA(c, WM_SETFONT, (WPARAM)font, FALSE);
}

LRESULT CALLBACK main_proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_CREATE:
        g_main = h;
        create_controls();
        return 0;
    case WM_COMMAND:
        on_command(LOWORD(wp), HIWORD(wp));
        return 0;
    case DM_GETDEFID:
        return MAKELONG(IDOK, DC_HASDEFID);
    case WM_CLOSE:
        log_line("close");
        DestroyWindow(h);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, m, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = main_proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "TesteeWindow";
    RegisterClassA(&wc);
    wc.lpfnWndProc = preview_proc;
    wc.hIcon = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = "TesteePreview";
    RegisterClassA(&wc);

    log_line("start");
    HWND h = CreateWindowExA(0, "TesteeWindow", "Testee", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             CW_USEDEFAULT, CW_USEDEFAULT, 430, 320, nullptr, nullptr, inst, nullptr);
    ShowWindow(h, show);
    UpdateWindow(h);
    SetFocus(GetDlgItem(h, ID_EDIT));

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(h, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    log_line("exit");
    return 0;
}
