// Works another program's windows from outside, through window messages, as a
// person at the keyboard would. One command per line on stdin (UTF-8, fields
// separated by TAB), one JSON line per command on stdout: {"ok":true,...} or
// {"ok":false,"error":"..."}. Windows are named by exact title, controls by id.
// Commands that post to the program return once its message loop took them.
#define _WIN32_WINNT 0x0600
#include <windows.h>

#include <cstdio>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

std::string utf8(const std::wstring& w) {
    std::string s(w.size() * 3, '\0');
    s.resize(WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], (int)s.size(), nullptr, nullptr));
    return s;
}

std::wstring wide(const std::string& s) {
    std::wstring w(s.size(), L'\0');
    w.resize(MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], (int)w.size()));
    return w;
}

std::string quote(const std::string& s) {
    std::string o = "\"";
    for (unsigned char c : s) {
        char b[8];
        snprintf(b, sizeof b, c < 0x20 ? "\\u%04x" : c == '"' || c == '\\' ? "\\%c" : "%c", c);
        o += b;
    }
    return o + "\"";
}

// A JSON object written field by field.
struct J {
    std::string s = "{";
    J& raw(const char* k, const std::string& v) { return s += (s.size() > 1 ? "," : "") + quote(k) + ":" + v, *this; }
    J& num(const char* k, long long v) { return raw(k, std::to_string(v)); }
    J& flag(const char* k, bool v) { return raw(k, v ? "true" : "false"); }
    J& str(const char* k, const std::wstring& v) { return raw(k, quote(utf8(v))); }
    std::string done() const { return s + "}"; }
};

J ok() { return J().flag("ok", true); }

std::string list(const std::vector<std::string>& items) {
    std::string o;
    for (const auto& i : items) o += (o.empty() ? "" : ",") + i;
    return "[" + o + "]";
}

[[noreturn]] void fail(const std::string& error) { throw std::runtime_error(error); }

const std::string& arg(const Args& a, size_t i) { return a.size() > i ? a[i] : (fail("missing argument"), a[0]); }

// A window's class name or title, from GetClassNameW or GetWindowTextW.
std::wstring name(HWND h, int(WINAPI* get)(HWND, LPWSTR, int)) {
    wchar_t b[1024] = {0};
    get(h, b, 1023);
    return b;
}
std::wstring class_of(HWND h) { return name(h, GetClassNameW); }
std::wstring title_of(HWND h) { return name(h, GetWindowTextW); }

// Asks the control itself (an ANSI one answers through Wine's conversion), waiting for its program.
std::wstring text_of(HWND h) {
    wchar_t b[4096] = {0};
    DWORD_PTR got;
    SendMessageTimeoutW(h, WM_GETTEXT, 4095, (LPARAM)b, SMTO_ABORTIFHUNG, 20000, &got);
    return b;
}

// Returns once the window's thread has come back to its message loop a few times.
void sync(HWND h) {
    DWORD_PTR r;
    for (int i = 0; i < 3; ++i, Sleep(5)) SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &r);
}

BOOL CALLBACK collect(HWND h, LPARAM p) { return ((std::vector<HWND>*)p)->push_back(h), TRUE; }

std::vector<HWND> children(HWND top) {
    std::vector<HWND> v;
    EnumChildWindows(top, collect, (LPARAM)&v);
    return v;
}

bool is_file_dialog(HWND h) { return class_of(h) == L"#32770" && GetDlgItem(h, 0x47C); }
bool any(HWND) { return true; }

// The shown top-level windows with that title (any when empty) and kind.
std::vector<HWND> windows(const std::string& title = "", bool (*kind)(HWND) = any) {
    std::vector<HWND> all, found;
    EnumWindows(collect, (LPARAM)&all);
    for (HWND h : all)
        if (IsWindowVisible(h) && (title.empty() || title_of(h) == wide(title)) && kind(h)) found.push_back(h);
    return found;
}

HWND wait(const std::string& title, const Args& a, size_t timeout_arg, bool (*kind)(HWND) = any) {
    DWORD timeout = a.size() > timeout_arg ? std::stoul(a[timeout_arg]) : 10000;
    for (DWORD start = GetTickCount();; Sleep(15)) {
        std::vector<HWND> found = windows(title, kind);
        // A message box has its owner's title; while it is up, it is the one that takes input. A box of
        // another copy of the program stands beside the window: the box is the one wanted.
        for (HWND h : found)
            if (IsWindowEnabled(h) && class_of(h) == L"#32770") return h;
        for (HWND h : found)
            if (IsWindowEnabled(h)) return h;
        if (!found.empty()) return found[0];
        if (GetTickCount() - start >= timeout) fail("timeout waiting for " + title);
    }
}

HWND top(const Args& a) { return wait(arg(a, 1), a, 99); }

HWND control(HWND top, const std::string& id) {
    for (HWND c : children(top))
        if (GetDlgCtrlID(c) == std::stoi(id)) return c;
    fail("no control " + id);
}

// The screen under a window's client area, as 0xRRGGBB pixels in rows from the top.
std::vector<DWORD> capture(HWND h, int* w, int* hgt) {
    RECT r;
    GetClientRect(h, &r);
    MapWindowPoints(h, nullptr, (POINT*)&r, 2);
    *w = r.right - r.left, *hgt = r.bottom - r.top;
    std::vector<DWORD> px((size_t)*w * *hgt);
    BITMAPINFO bi = {{sizeof(BITMAPINFOHEADER), *w, -*hgt, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC screen = GetDC(nullptr), mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, *w, *hgt);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, *w, *hgt, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    GetDIBits(mem, bmp, 0, *hgt, px.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bmp), DeleteDC(mem), ReleaseDC(nullptr, screen);
    for (auto& p : px) p &= 0xFFFFFF;
    return px;
}

// Waits for the window, painted; its place and size, client size, class, close box, whether Explorer may
// drop files on it, and the DPI.
// Drawn: neither the window nor a shown control of it has anything left to paint.
bool painted(HWND h) {
    if (GetUpdateRect(h, nullptr, FALSE)) return false;
    for (HWND c : children(h))
        if (IsWindowVisible(c) && GetUpdateRect(c, nullptr, FALSE)) return false;
    return true;
}

std::string cmd_wait(const Args& a) {
    HWND h = wait(arg(a, 1), a, 2);
    for (DWORD start = GetTickCount(); !painted(h) && GetTickCount() - start < 10000;) Sleep(2);
    sync(h);
    RECT r, c;
    GetWindowRect(h, &r);
    GetClientRect(h, &c);
    HDC dc = GetDC(nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(nullptr, dc);
    return ok().num("left", r.left).num("top", r.top).num("width", r.right - r.left).num("height", r.bottom - r.top)
        .num("client_width", c.right).num("client_height", c.bottom).str("class", class_of(h))
        .flag("close_box", GetWindowLongW(h, GWL_STYLE) & WS_SYSMENU)
        .flag("takes_files", GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES).num("dpi", dpi).done();
}

std::string cmd_windows(const Args&) {
    std::vector<std::string> v;
    for (HWND h : windows()) v.push_back(J().str("title", title_of(h)).str("class", class_of(h)).done());
    return ok().raw("windows", list(v)).done();
}

// Question (blue) or critical (red): the stronger colour of the box's icon, else other.
const char* icon_of(HWND box) {
    for (HWND c : children(box))
        for (int tries = 0; class_of(c) == L"Static" && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                            tries < 40; ++tries) {
            int w, h, blue = 0, red = 0;
            for (DWORD p : capture(c, &w, &h)) {
                int r = p >> 16, g = p >> 8 & 0xFF, b = p & 0xFF;
                blue += b > r + 60 && b > g + 30, red += r > 2 * g + 40 && r > 2 * b + 40;
            }
            if (blue + red > 20) return blue > red ? "question" : "critical";
            Sleep(25);  // not painted yet
        }
    return "other";
}

// Every control: id, class, text, state and place in its parent's client area;
// and the window's icon, for a message box.
std::string cmd_controls(const Args& a) {
    HWND t = top(a);
    std::vector<std::string> v;
    for (HWND c : children(t)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, GetParent(c), (POINT*)&r, 2);
        v.push_back(J().num("id", GetDlgCtrlID(c)).str("class", class_of(c)).str("text", text_of(c))
                        .flag("enabled", IsWindowEnabled(c)).flag("visible", IsWindowVisible(c)).num("left", r.left)
                        .num("top", r.top).num("width", r.right - r.left).num("height", r.bottom - r.top).done());
    }
    return ok().raw("controls", list(v)).raw("icon", quote(icon_of(t))).done();
}

// A click: refused when the button or its window takes no input.
std::string cmd_press(const Args& a) {
    HWND t = top(a), c = control(t, arg(a, 2));
    if (!IsWindowEnabled(t) || !IsWindowEnabled(c)) fail("disabled");
    PostMessageW(t, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), BN_CLICKED), (LPARAM)c);
    sync(t);
    return ok().done();
}

HWND focus_of(HWND t) {
    GUITHREADINFO g = {};
    g.cbSize = sizeof g;
    GetGUIThreadInfo(GetWindowThreadProcessId(t, nullptr), &g);
    return g.hwndFocus;
}

// A key (its virtual-key code) pressed and let go on the focused control, else the
// window; answers the focused control's id before (id) and after (after).
std::string cmd_key(const Args& a) {
    HWND t = top(a), f = focus_of(t), to = f ? f : t;
    int id = GetDlgCtrlID(f), vk = std::stoi(arg(a, 2));
    PostMessageW(to, WM_KEYDOWN, vk, 1);
    PostMessageW(to, WM_KEYUP, vk, 1 | 3u << 30);
    sync(t);
    return ok().num("id", id).num("after", IsWindow(t) ? GetDlgCtrlID(focus_of(t)) : 0).done();
}

// The title bar's close box, clicked.
std::string cmd_close(const Args& a) {
    HWND t = top(a);
    PostMessageW(t, WM_SYSCOMMAND, SC_CLOSE, 0);
    return sync(t), ok().done();
}

// What a control shows: mean colour, number of colours and the 2x2 cell means
// (top left, top right, bottom left, bottom right), each as [r,g,b].
std::string cmd_pixels(const Args& a) {
    HWND t = top(a), c = control(t, arg(a, 2));
    RedrawWindow(t, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    sync(t);
    int w, h;
    std::vector<DWORD> px = capture(c, &w, &h);
    double sum[5][3] = {};
    for (int i = 0; i < w * h; ++i)
        for (int k = 0; k < 3; ++k) {
            double v = px[i] >> (16 - 8 * k) & 0xFF;
            sum[0][k] += v / (w * h);
            sum[1 + (i / w * 2 / h) * 2 + i % w * 2 / w][k] += v * 4 / (w * h);
        }
    unsigned digest = 2166136261u;  // FNV-1a over the pixels, to tell two moments apart
    for (DWORD p : px) digest = (digest ^ p) * 16777619u;
    std::vector<std::string> cells;
    for (auto& s : sum) cells.push_back(list({std::to_string((int)s[0]), std::to_string((int)s[1]),
                                             std::to_string((int)s[2])}));
    return ok().raw("mean", cells[0]).num("distinct", (long long)std::set<DWORD>(px.begin(), px.end()).size())
        .raw("grid", list({cells[1], cells[2], cells[3], cells[4]})).num("digest", digest).done();
}

// Each shown label's and button's text measured in the control's font: on one line, or wrapped at the
// control's width for a label that wraps; against the control's client size. The font is the control's
// own (WM_GETFONT) where this process can read it (a stock font); else, as with a font the program made,
// made again here: the system's dialog font at the given points (0: as it is).
std::string cmd_fit(const Args& a) {
    std::vector<std::string> v;
    HDC dc = GetDC(nullptr);
    for (HWND c : children(top(a))) {
        std::wstring cls = class_of(c), text = text_of(c);
        LONG type = GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK;
        bool button = cls == L"Button", label = cls == L"Static" && (type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP);
        if (!IsWindowVisible(c) || text.empty() || !(button || label)) continue;
        LOGFONTW lf;
        bool own = GetObjectW((HFONT)SendMessageW(c, WM_GETFONT, 0, 0), sizeof lf, &lf);
        if (!own && GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf) && std::stoi(arg(a, 2)))
            lf.lfHeight = -MulDiv(std::stoi(arg(a, 2)), GetDeviceCaps(dc, LOGPIXELSY), 72), lf.lfWidth = 0;
        HFONT font = CreateFontIndirectW(&lf);
        HGDIOBJ old = SelectObject(dc, font);
        RECT client, r = {0, 0, 0, 0};
        GetClientRect(c, &client);
        DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        bool wraps = label && type <= SS_RIGHT && r.right > client.right;
        if (wraps) r = {0, 0, client.right, 0}, DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
        int margin = button ? 2 * GetSystemMetrics(SM_CXEDGE) : 0;
        v.push_back(J().num("id", GetDlgCtrlID(c)).str("text", text).num("width", r.right)
                        .num("client_width", client.right)
                        .flag("fits", r.right + margin <= client.right && r.bottom <= client.bottom).done());
        SelectObject(dc, old), DeleteObject(font);
    }
    ReleaseDC(nullptr, dc);
    return ok().raw("controls", list(v)).done();
}

// The open dialog: types the path into its name box and presses Open, or
// presses Cancel when the path is empty; answers its file type list. Returns once
// the owner's thread is back in a message loop (its own, or a message box's).
std::string cmd_file(const Args& a) {
    HWND dlg = wait("", a, 2, is_file_dialog), owner = GetWindow(dlg, GW_OWNER);
    sync(dlg);
    HWND types = GetDlgItem(dlg, 0x470), name = GetDlgItem(dlg, 0x47C);
    std::vector<std::string> filters;
    for (int i = 0; i < (int)SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
        wchar_t b[512] = {0};
        SendMessageW(types, CB_GETLBTEXT, i, (LPARAM)b);
        filters.push_back(quote(utf8(b)));
    }
    if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = edit;
    std::wstring path = wide(arg(a, 1));
    SendMessageW(name, WM_SETTEXT, 0, (LPARAM)path.c_str());
    int button = path.empty() ? IDCANCEL : IDOK;
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(dlg, button));
    for (DWORD start = GetTickCount(); IsWindow(dlg) && IsWindowEnabled(dlg); Sleep(15))
        if (GetTickCount() - start > 5000) fail("the dialog stays");
    if (owner && !IsWindow(dlg)) sync(owner);
    return ok().raw("filters", list(filters)).done();
}

// Files dropped at a point of the window's client area, as Explorer drops them: the names (in the
// system's code page) in a DROPFILES block written into the program's memory, and WM_DROPFILES posted.
// The block lies past a few zero bytes, so that the heap, asked to free it, finds no block and
// leaves it.
std::string cmd_drop(const Args& a) {
    HWND t = top(a);
    struct { DWORD files; POINT at; BOOL nonClient, wide; } head = {sizeof head, {std::stoi(arg(a, 2)), std::stoi(arg(a, 3))},
                                                                    FALSE, FALSE};
    std::string block(64, '\0');
    block.append((const char*)&head, sizeof head);
    for (size_t i = 4; i < a.size(); ++i) {
        std::wstring w = wide(a[i]);
        std::string ansi(w.size() * 2 + 1, '\0');
        ansi.resize(WideCharToMultiByte(CP_ACP, 0, w.data(), (int)w.size(), &ansi[0], (int)ansi.size(), nullptr, nullptr));
        block += ansi + '\0';
    }
    block += '\0';
    DWORD pid;
    GetWindowThreadProcessId(t, &pid);
    HANDLE program = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    char* at = program ? (char*)VirtualAllocEx(program, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                       : nullptr;
    bool written = at && WriteProcessMemory(program, at, block.data(), block.size(), nullptr);
    if (program) CloseHandle(program);
    if (!written) fail("cannot write into the program");
    PostMessageW(t, WM_DROPFILES, (WPARAM)(at + 64), 0);
    sync(t);
    return ok().done();
}

// Forgets the folders the file dialogs remember.
std::string cmd_forget(const Args&) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
    return ok().done();
}

const struct { const char* name; std::string (*run)(const Args&); } kCommands[] = {
    {"wait", cmd_wait},   {"windows", cmd_windows}, {"controls", cmd_controls}, {"press", cmd_press},
    {"key", cmd_key},     {"close", cmd_close},     {"pixels", cmd_pixels},     {"file", cmd_file},
    {"forget", cmd_forget}, {"fit", cmd_fit},       {"drop", cmd_drop},
};

std::string run(const Args& a) try {
    for (const auto& c : kCommands)
        if (a[0] == c.name) return c.run(a);
    fail("unknown command " + a[0]);
} catch (const std::exception& e) {
    return J().flag("ok", false).str("error", wide(e.what())).done();
}

}  // namespace

int main() {
    SetProcessDPIAware();  // real pixels whatever the DPI setting
    for (char buf[8192]; fgets(buf, sizeof buf, stdin);) {
        Args a(1);
        for (char* c = buf; *c && *c != '\n' && *c != '\r'; ++c) *c == '\t' ? a.push_back("") : (void)(a.back() += *c);
        printf("%s\n", run(a).c_str());
        fflush(stdout);
    }
}
