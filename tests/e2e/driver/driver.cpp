// Test driver: operates another process's windows from outside, through window
// messages, the way a person at the keyboard and mouse would. One command per
// line on stdin (UTF-8, fields separated by TAB), one JSON line per command on
// stdout. See README.md beside this file for the command list.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#include <windows.h>
#include <commdlg.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

const UINT kSendTimeoutMs = 1000;
const DWORD kDefaultWaitMs = 10000;
const DWORD kPollMs = 15;

std::string to_utf8(const std::wstring& w) {
    if (w.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring from_utf8(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

std::wstring from_acp(const char* s, size_t len) {
    if (!len) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s, (int)len, nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s, (int)len, &w[0], n);
    return w;
}

std::wstring lower(std::wstring s) {
    for (auto& c : s) c = (wchar_t)towlower(c);
    return s;
}

// Visible caption: "&Open" shows as "Open", "&&" as "&".
std::wstring strip_mnemonic(const std::wstring& s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == L'&') {
            if (i + 1 < s.size() && s[i + 1] == L'&') { out += L'&'; ++i; }
            continue;
        }
        out += s[i];
    }
    return out;
}

bool parse_int(const std::string& s, long long* out) {
    if (s.empty()) return false;
    char* end = nullptr;
    long long v = strtoll(s.c_str(), &end, 0);
    if (!end || *end) return false;
    *out = v;
    return true;
}

std::string jstr(const std::string& s) {
    std::string o = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': o += "\\\""; break;
        case '\\': o += "\\\\"; break;
        case '\n': o += "\\n"; break;
        case '\r': o += "\\r"; break;
        case '\t': o += "\\t"; break;
        default:
            if (c < 0x20) {
                char b[8];
                snprintf(b, sizeof b, "\\u%04x", c);
                o += b;
            } else {
                o += (char)c;
            }
        }
    }
    return o + "\"";
}

std::string jstr(const std::wstring& w) { return jstr(to_utf8(w)); }

class Obj {
public:
    Obj& raw(const char* k, const std::string& v) {
        if (!body_.empty()) body_ += ",";
        body_ += jstr(std::string(k)) + ":" + v;
        return *this;
    }
    Obj& str(const char* k, const std::string& v) { return raw(k, jstr(v)); }
    Obj& str(const char* k, const std::wstring& v) { return raw(k, jstr(v)); }
    Obj& str(const char* k, const char* v) { return raw(k, jstr(std::string(v))); }
    Obj& num(const char* k, long long v) { return raw(k, std::to_string(v)); }
    Obj& dbl(const char* k, double v) {
        char b[64];
        snprintf(b, sizeof b, "%.3f", v);
        return raw(k, b);
    }
    Obj& boolean(const char* k, bool v) { return raw(k, v ? "true" : "false"); }
    Obj& null(const char* k) { return raw(k, "null"); }
    std::string done() const { return "{" + body_ + "}"; }

private:
    std::string body_;
};

std::string jarr(const std::vector<std::string>& items) {
    std::string o = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i) o += ",";
        o += items[i];
    }
    return o + "]";
}

std::string jrect(const RECT& r) {
    return Obj()
        .num("left", r.left).num("top", r.top).num("right", r.right).num("bottom", r.bottom)
        .num("width", r.right - r.left).num("height", r.bottom - r.top)
        .done();
}

std::string ok(Obj o = Obj()) { return "{\"ok\":true" + (o.done().size() > 2 ? "," + o.done().substr(1) : std::string("}")); }

std::string fail(const std::string& error, Obj o = Obj()) {
    std::string extra = o.done();
    std::string head = "{\"ok\":false,\"error\":" + jstr(error);
    if (extra.size() > 2) return head + "," + extra.substr(1);
    return head + "}";
}

long long hnum(HWND h) { return (long long)(uintptr_t)h; }

std::wstring class_of(HWND h) {
    wchar_t b[256] = {0};
    GetClassNameW(h, b, 255);
    return b;
}

// The server-side caption; never blocks on a busy target.
std::wstring title_of(HWND h) {
    int n = GetWindowTextLengthW(h);
    std::vector<wchar_t> b(n + 2, 0);
    GetWindowTextW(h, b.data(), n + 1);
    return b.data();
}

// Asks the control itself (an edit's text lives in the control, not the
// caption), falling back to the caption if the owner does not answer in time.
std::wstring text_of(HWND h) {
    HWND root = GetAncestor(h, GA_ROOT);
    if (IsHungAppWindow(root ? root : h)) return title_of(h);
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len))
        return title_of(h);
    std::vector<wchar_t> b(len + 64, 0);
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, b.size() - 1, (LPARAM)b.data(), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
        return title_of(h);
    return b.data();
}

LRESULT send_to(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool* answered = nullptr) {
    DWORD_PTR r = 0;
    BOOL okay = SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &r) != 0;
    if (answered) *answered = okay;
    return okay ? (LRESULT)r : 0;
}

// Lets the target thread drain what was posted to it: each round trip means
// its message loop came back for more at least once.
bool sync_with(HWND h, int rounds = 3) {
    bool all = true;
    for (int i = 0; i < rounds; ++i) {
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r)) all = false;
        if (i + 1 < rounds) Sleep(2);
    }
    return all;
}

// Has the target paint what it still owes the screen: a picture read or a
// screenshot right after a window appears must not catch it half drawn.
void settle(HWND h) {
    HWND top = GetAncestor(h, GA_ROOT);
    RedrawWindow(top ? top : h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    sync_with(h, 2);
}

RECT screen_rect(HWND h) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(h, &r);
    return r;
}

RECT client_screen_rect(HWND h) {
    RECT r = {0, 0, 0, 0};
    GetClientRect(h, &r);
    POINT p = {0, 0};
    ClientToScreen(h, &p);
    OffsetRect(&r, p.x, p.y);
    return r;
}

int ctrl_id(HWND h) { return (int)(GetWindowLongPtrW(h, GWLP_ID) & 0xFFFF); }

std::vector<HWND> top_windows() {
    std::vector<HWND> v;
    EnumWindows([](HWND h, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, (LPARAM)&v);
    return v;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> v;
    EnumChildWindows(parent, [](HWND h, LPARAM lp) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
    }, (LPARAM)&v);
    return v;
}

// "hwnd:NNN" addresses a window by handle instead of by title.
bool parse_hwnd_ref(const std::string& title, HWND* out) {
    if (title.compare(0, 5, "hwnd:") != 0) return false;
    long long v = 0;
    if (!parse_int(title.substr(5), &v)) return false;
    *out = (HWND)(uintptr_t)v;
    return true;
}

std::vector<HWND> find_top(const std::string& title) {
    std::vector<HWND> out;
    HWND byref = nullptr;
    if (parse_hwnd_ref(title, &byref)) {
        if (IsWindow(byref) && IsWindowVisible(byref)) out.push_back(byref);
        return out;
    }
    std::wstring want = from_utf8(title);
    for (HWND h : top_windows())
        if (IsWindowVisible(h) && title_of(h) == want) out.push_back(h);
    return out;
}

std::vector<std::string> visible_titles() {
    std::vector<std::string> v;
    for (HWND h : top_windows())
        if (IsWindowVisible(h)) v.push_back(jstr(title_of(h)));
    return v;
}

std::string not_found(const std::string& title) {
    return fail("no window", Obj().str("title", title).raw("visible", jarr(visible_titles())));
}

DWORD pid_of(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    return pid;
}

std::string describe(HWND h) {
    if (!h) return "null";
    return Obj()
        .num("hwnd", hnum(h))
        .str("class", class_of(h))
        .str("text", text_of(h))
        .num("id", GetParent(h) ? ctrl_id(h) : 0)
        .boolean("enabled", IsWindowEnabled(h) != 0)
        .boolean("visible", IsWindowVisible(h) != 0)
        .done();
}

std::string window_info(HWND h) {
    RECT r = screen_rect(h);
    RECT c = client_screen_rect(h);
    HWND owner = GetWindow(h, GW_OWNER);
    return Obj()
        .num("hwnd", hnum(h))
        .str("title", title_of(h))
        .str("class", class_of(h))
        .num("pid", pid_of(h))
        .num("tid", GetWindowThreadProcessId(h, nullptr))
        .boolean("enabled", IsWindowEnabled(h) != 0)
        .boolean("unicode", IsWindowUnicode(h) != 0)
        .num("owner", hnum(owner))
        .num("style", (long long)(uint32_t)GetWindowLongW(h, GWL_STYLE))
        .num("exstyle", (long long)(uint32_t)GetWindowLongW(h, GWL_EXSTYLE))
        .raw("rect", jrect(r))
        .raw("client", jrect(c))
        .done();
}

struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> px;  // 0x00RRGGBB
};

// A 32-bit top-down DIB: rows come out in screen order, a pixel a word.
BITMAPINFO top_down_32(int w, int h) {
    BITMAPINFO bi;
    memset(&bi, 0, sizeof bi);
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

Pixels capture_screen(const RECT& r) {
    Pixels p;
    p.w = r.right - r.left;
    p.h = r.bottom - r.top;
    if (p.w <= 0 || p.h <= 0) { p.w = p.h = 0; return p; }
    HDC sdc = GetDC(nullptr);
    HDC mdc = CreateCompatibleDC(sdc);
    BITMAPINFO bi = top_down_32(p.w, p.h);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib) DeleteObject(dib);
        DeleteDC(mdc);
        ReleaseDC(nullptr, sdc);
        p.w = p.h = 0;
        return p;
    }
    HGDIOBJ old = SelectObject(mdc, dib);
    BitBlt(mdc, 0, 0, p.w, p.h, sdc, r.left, r.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    p.px.assign((uint32_t*)bits, (uint32_t*)bits + (size_t)p.w * p.h);
    for (auto& v : p.px) v &= 0xFFFFFF;
    SelectObject(mdc, old);
    DeleteObject(dib);
    DeleteDC(mdc);
    ReleaseDC(nullptr, sdc);
    return p;
}

Pixels render_icon(HICON icon, int w, int h, uint32_t background) {
    Pixels p;
    p.w = w;
    p.h = h;
    HDC sdc = GetDC(nullptr);
    HDC mdc = CreateCompatibleDC(sdc);
    BITMAPINFO bi = top_down_32(w, h);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(mdc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib || !bits) {
        if (dib) DeleteObject(dib);
        DeleteDC(mdc);
        ReleaseDC(nullptr, sdc);
        p.px.assign((size_t)w * h, background == 0 ? 0xFFFFFF : 0);
        return p;
    }
    HGDIOBJ old = SelectObject(mdc, dib);
    uint32_t* q = (uint32_t*)bits;
    for (int i = 0; i < w * h; ++i) q[i] = background;
    DrawIconEx(mdc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
    GdiFlush();
    p.px.assign(q, q + (size_t)w * h);
    for (auto& v : p.px) v &= 0xFFFFFF;
    SelectObject(mdc, old);
    DeleteObject(dib);
    DeleteDC(mdc);
    ReleaseDC(nullptr, sdc);
    return p;
}

bool close_colour(uint32_t a, uint32_t b, int tol) {
    for (int s = 0; s < 24; s += 8) {
        int d = (int)((a >> s) & 0xFF) - (int)((b >> s) & 0xFF);
        if (d < -tol || d > tol) return false;
    }
    return true;
}

std::string pixel_digest(const Pixels& p) {
    if (p.px.empty()) return Obj().num("width", 0).num("height", 0).num("distinct", 0).done();
    unsigned long long r = 0, g = 0, b = 0;
    std::unordered_map<uint32_t, int> counts;
    for (uint32_t v : p.px) {
        r += (v >> 16) & 0xFF;
        g += (v >> 8) & 0xFF;
        b += v & 0xFF;
        counts[v]++;
    }
    size_t n = p.px.size();
    uint32_t dom = 0;
    int domc = 0;
    for (auto& kv : counts)
        if (kv.second > domc) { dom = kv.first; domc = kv.second; }
    char hex[16];
    snprintf(hex, sizeof hex, "#%06x", dom);
    std::vector<std::string> mean = {std::to_string((double)r / n), std::to_string((double)g / n),
                                     std::to_string((double)b / n)};
    return Obj()
        .num("width", p.w)
        .num("height", p.h)
        .raw("mean", jarr(mean))
        .num("distinct", (long long)counts.size())
        .str("dominant", hex)
        .dbl("dominant_fraction", (double)domc / n)
        .done();
}

bool save_bmp(const Pixels& p, const std::wstring& path) {
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    memset(&fh, 0, sizeof fh);
    memset(&ih, 0, sizeof ih);
    DWORD data = (DWORD)(p.px.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + data;
    ih.biSize = sizeof ih;
    ih.biWidth = p.w;
    ih.biHeight = -p.h;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD w = 0;
    bool good = WriteFile(f, &fh, sizeof fh, &w, nullptr) && WriteFile(f, &ih, sizeof ih, &w, nullptr) &&
                WriteFile(f, p.px.data(), data, &w, nullptr);
    CloseHandle(f);
    return good;
}

struct IconMatch {
    std::string name;
    double score = 0;
};

// Icon handles are per process under Wine, so the other process's STM_GETICON
// value cannot be compared with ours; what a person sees is compared instead:
// each stock icon is drawn here at the static's size and checked against the
// screen at the pixels where the icon is opaque (same over black and white).
struct StockIcon { const char* name; LPCWSTR id; };
const StockIcon kStockIcons[] = {
    {"question", IDI_QUESTION},       {"critical", IDI_HAND},
    {"exclamation", IDI_EXCLAMATION}, {"information", IDI_ASTERISK},
    {"application", IDI_APPLICATION}, {"winlogo", IDI_WINLOGO},
};

std::vector<IconMatch> match_stock_icons(const Pixels& seen) {
    std::vector<IconMatch> out;
    for (const auto& c : kStockIcons) {
        HICON icon = LoadIconW(nullptr, c.id);
        IconMatch m;
        m.name = c.name;
        if (icon && seen.w > 0) {
            Pixels black = render_icon(icon, seen.w, seen.h, 0x000000);
            Pixels white = render_icon(icon, seen.w, seen.h, 0xFFFFFF);
            size_t opaque = 0, same = 0;
            for (size_t i = 0; i < seen.px.size(); ++i) {
                if (black.px[i] != white.px[i]) continue;
                ++opaque;
                if (close_colour(black.px[i], seen.px[i], 24)) ++same;
            }
            m.score = opaque ? (double)same / opaque : 0;
        }
        out.push_back(m);
    }
    return out;
}

const char* button_kind(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: return "push";
    case BS_DEFPUSHBUTTON: return "defpush";
    case BS_CHECKBOX: return "checkbox";
    case BS_AUTOCHECKBOX: return "autocheckbox";
    case BS_RADIOBUTTON: return "radio";
    case BS_3STATE: return "3state";
    case BS_AUTO3STATE: return "auto3state";
    case BS_GROUPBOX: return "groupbox";
    case BS_USERBUTTON: return "user";
    case BS_AUTORADIOBUTTON: return "autoradio";
    case BS_PUSHBOX: return "pushbox";
    case BS_OWNERDRAW: return "ownerdraw";
    default: return "other";
    }
}

const char* static_kind(DWORD style) {
    switch (style & SS_TYPEMASK) {
    case SS_LEFT: return "left";
    case SS_CENTER: return "center";
    case SS_RIGHT: return "right";
    case SS_ICON: return "icon";
    case SS_BLACKRECT: case SS_GRAYRECT: case SS_WHITERECT: return "rect";
    case SS_BLACKFRAME: case SS_GRAYFRAME: case SS_WHITEFRAME: return "frame";
    case SS_USERITEM: return "user";
    case SS_SIMPLE: return "simple";
    case SS_LEFTNOWORDWRAP: return "leftnowordwrap";
    case SS_OWNERDRAW: return "ownerdraw";
    case SS_BITMAP: return "bitmap";
    case SS_ENHMETAFILE: return "enhmetafile";
    case SS_ETCHEDHORZ: case SS_ETCHEDVERT: case SS_ETCHEDFRAME: return "etched";
    default: return "other";
    }
}

bool list_has_strings(DWORD style, bool combo) {
    DWORD od = combo ? (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE) : (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    DWORD hs = combo ? CBS_HASSTRINGS : LBS_HASSTRINGS;
    return !(style & od) || (style & hs);
}

std::string list_items(HWND h, bool combo, int* count_out, int* sel_out) {
    UINT getcount = combo ? CB_GETCOUNT : LB_GETCOUNT;
    UINT getsel = combo ? CB_GETCURSEL : LB_GETCURSEL;
    UINT getlen = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT gettext = combo ? CB_GETLBTEXT : LB_GETTEXT;
    int count = (int)send_to(h, getcount, 0, 0);
    int sel = (int)send_to(h, getsel, 0, 0);
    *count_out = count;
    *sel_out = sel;
    std::vector<std::string> items;
    DWORD style = (DWORD)GetWindowLongW(h, GWL_STYLE);
    if (!list_has_strings(style, combo)) return "null";
    for (int i = 0; i < count && i < 500; ++i) {
        LRESULT len = send_to(h, getlen, i, 0);
        if (len < 0) len = 0;
        std::vector<wchar_t> b(len + 64, 0);
        send_to(h, gettext, i, (LPARAM)b.data());
        items.push_back(jstr(std::wstring(b.data())));
    }
    return jarr(items);
}

std::string control_info(HWND top, HWND h, int index) {
    DWORD style = (DWORD)GetWindowLongW(h, GWL_STYLE);
    DWORD exstyle = (DWORD)GetWindowLongW(h, GWL_EXSTYLE);
    HWND parent = GetAncestor(h, GA_PARENT);
    RECT scr = screen_rect(h);
    RECT rel = scr;
    MapWindowPoints(nullptr, parent, (LPPOINT)&rel, 2);
    int depth = 0;
    for (HWND p = parent; p && p != top; p = GetAncestor(p, GA_PARENT)) ++depth;
    std::wstring cls = class_of(h);
    std::wstring lc = lower(cls);
    Obj o;
    o.num("index", index)
        .num("hwnd", hnum(h))
        .num("parent", hnum(parent))
        .num("depth", depth)
        .str("class", cls)
        .str("text", text_of(h))
        .num("id", ctrl_id(h))
        .boolean("enabled", IsWindowEnabled(h) != 0)
        .boolean("visible", IsWindowVisible(h) != 0)
        .num("style", (long long)style)
        .num("exstyle", (long long)exstyle)
        .boolean("tabstop", (style & WS_TABSTOP) != 0)
        .boolean("group", (style & WS_GROUP) != 0)
        .raw("rect", jrect(rel))
        .raw("screen", jrect(scr))
        .raw("client_screen", jrect(client_screen_rect(h)));
    if (lc == L"button") {
        o.str("kind", button_kind(style));
        DWORD t = style & BS_TYPEMASK;
        if (t != BS_PUSHBUTTON && t != BS_DEFPUSHBUTTON && t != BS_GROUPBOX && t != BS_OWNERDRAW)
            o.num("checked", (long long)send_to(h, BM_GETCHECK, 0, 0));
        o.boolean("default", t == BS_DEFPUSHBUTTON);
    } else if (lc == L"static") {
        DWORD t = style & SS_TYPEMASK;
        o.str("kind", static_kind(style));
        bool image = false;
        if (t == SS_ICON) {
            image = send_to(h, STM_GETICON, 0, 0) != 0 || send_to(h, STM_GETIMAGE, IMAGE_ICON, 0) != 0 ||
                    send_to(h, STM_GETIMAGE, IMAGE_CURSOR, 0) != 0;
        } else if (t == SS_BITMAP) {
            image = send_to(h, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        } else if (t == SS_ENHMETAFILE) {
            image = send_to(h, STM_GETIMAGE, IMAGE_ENHMETAFILE, 0) != 0;
        }
        o.boolean("has_image", image);
    } else if (lc == L"edit") {
        o.boolean("readonly", (style & ES_READONLY) != 0)
            .boolean("password", (style & ES_PASSWORD) != 0)
            .boolean("multiline", (style & ES_MULTILINE) != 0);
    } else if (lc == L"combobox" || lc == L"listbox" || lc == L"comboboxex32") {
        bool combo = lc != L"listbox";
        int count = 0, sel = -1;
        std::string items = list_items(h, combo, &count, &sel);
        o.num("count", count).num("selected", sel).raw("items", items);
    }
    return o.done();
}

// Finds a descendant by exact caption (mnemonic '&' markers may be left out).
std::vector<HWND> find_by_caption(HWND top, const std::wstring& caption, const wchar_t* cls) {
    std::vector<HWND> exact, loose;
    for (HWND h : descendants(top)) {
        if (cls && lower(class_of(h)) != lower(cls)) continue;
        std::wstring t = title_of(h);
        if (t == caption) exact.push_back(h);
        else if (strip_mnemonic(t) == caption) loose.push_back(h);
    }
    return exact.empty() ? loose : exact;
}

// Control reference: "123" (id), "#4" (index in `controls` order), "hwnd:N".
HWND find_control(HWND top, const std::string& ref) {
    HWND h = nullptr;
    if (parse_hwnd_ref(ref, &h)) return IsWindow(h) ? h : nullptr;
    std::vector<HWND> all = descendants(top);
    if (!ref.empty() && ref[0] == '#') {
        long long idx = 0;
        if (!parse_int(ref.substr(1), &idx) || idx < 0 || idx >= (long long)all.size()) return nullptr;
        return all[(size_t)idx];
    }
    long long id = 0;
    if (!parse_int(ref, &id)) return nullptr;
    HWND hidden = nullptr;
    for (HWND c : all) {
        if (ctrl_id(c) != (int)(id & 0xFFFF)) continue;
        if (IsWindowVisible(c)) return c;
        if (!hidden) hidden = c;
    }
    return hidden;
}

std::vector<std::string> button_captions(HWND top) {
    std::vector<std::string> v;
    for (HWND h : descendants(top))
        if (lower(class_of(h)) == L"button") v.push_back(jstr(title_of(h)));
    return v;
}

// Which window or ancestor up to the top level refuses input.
HWND first_disabled(HWND h) {
    for (HWND p = h; p; p = GetAncestor(p, GA_PARENT)) {
        if (!IsWindowEnabled(p)) return p;
        if (!(GetWindowLongW(p, GWL_STYLE) & WS_CHILD)) break;
    }
    return nullptr;
}

// A real click lets an auto check box or radio button change its own state
// before the parent hears BN_CLICKED.
void apply_auto_state(HWND btn) {
    DWORD style = (DWORD)GetWindowLongW(btn, GWL_STYLE);
    DWORD t = style & BS_TYPEMASK;
    if (t == BS_AUTOCHECKBOX) {
        LRESULT c = send_to(btn, BM_GETCHECK, 0, 0);
        send_to(btn, BM_SETCHECK, c == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (t == BS_AUTO3STATE) {
        LRESULT c = send_to(btn, BM_GETCHECK, 0, 0);
        send_to(btn, BM_SETCHECK, c == BST_UNCHECKED ? BST_CHECKED : c == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    } else if (t == BS_AUTORADIOBUTTON) {
        HWND parent = GetParent(btn);
        HWND first = btn;
        while (first && !(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
            HWND prev = GetWindow(first, GW_HWNDPREV);
            if (!prev) break;
            first = prev;
        }
        for (HWND s = first; s; s = GetWindow(s, GW_HWNDNEXT)) {
            if (s != first && (GetWindowLongW(s, GWL_STYLE) & WS_GROUP)) break;
            if (GetParent(s) != parent) continue;
            DWORD st = (DWORD)GetWindowLongW(s, GWL_STYLE);
            if (lower(class_of(s)) == L"button" && (st & BS_TYPEMASK) == BS_AUTORADIOBUTTON && s != btn)
                send_to(s, BM_SETCHECK, BST_UNCHECKED, 0);
        }
        send_to(btn, BM_SETCHECK, BST_CHECKED, 0);
    }
}

std::string click_button(HWND btn) {
    HWND bad = first_disabled(btn);
    if (bad)
        return fail("disabled", Obj().str("what", bad == btn ? "control" : "window").raw("control", describe(btn)));
    if (!IsWindowVisible(btn)) return fail("hidden", Obj().raw("control", describe(btn)));
    HWND parent = GetAncestor(btn, GA_PARENT);
    int id = ctrl_id(btn);
    apply_auto_state(btn);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)btn);
    bool synced = sync_with(parent);
    return ok(Obj().raw("control", describe(btn)).boolean("synced", synced));
}

struct KeyDef { const char* name; UINT vk; UINT scan; bool ext; bool shift; };
const KeyDef kKeys[] = {
    {"enter", VK_RETURN, 0x1C, false, false}, {"esc", VK_ESCAPE, 0x01, false, false},
    {"escape", VK_ESCAPE, 0x01, false, false}, {"tab", VK_TAB, 0x0F, false, false},
    {"shift-tab", VK_TAB, 0x0F, false, true},  {"space", VK_SPACE, 0x39, false, false},
    {"backspace", VK_BACK, 0x0E, false, false}, {"delete", VK_DELETE, 0x53, true, false},
    {"up", VK_UP, 0x48, true, false},          {"down", VK_DOWN, 0x50, true, false},
    {"left", VK_LEFT, 0x4B, true, false},      {"right", VK_RIGHT, 0x4D, true, false},
    {"home", VK_HOME, 0x47, true, false},      {"end", VK_END, 0x4F, true, false},
    {"f1", VK_F1, 0x3B, false, false},
};

HWND thread_focus(HWND top, GUITHREADINFO* gti) {
    memset(gti, 0, sizeof *gti);
    gti->cbSize = sizeof *gti;
    DWORD tid = GetWindowThreadProcessId(top, nullptr);
    if (!GetGUIThreadInfo(tid, gti)) return nullptr;
    return gti->hwndFocus;
}

std::string focus_answer(HWND top) {
    GUITHREADINFO gti;
    HWND f = thread_focus(top, &gti);
    return ok(Obj().raw("focus", describe(f)).raw("active", describe(gti.hwndActive))
                  .raw("window", describe(top)));
}

void set_shift(bool down) {
    BYTE ks[256];
    GetKeyboardState(ks);
    BYTE v = down ? 0x80 : 0;
    ks[VK_SHIFT] = v;
    ks[VK_LSHIFT] = v;
    SetKeyboardState(ks);
}

std::string press_key(HWND top, const std::string& name) {
    const KeyDef* k = nullptr;
    for (const auto& d : kKeys)
        if (name == d.name) k = &d;
    if (!k) return fail("unknown key", Obj().str("key", name));
    GUITHREADINFO gti;
    HWND target = thread_focus(top, &gti);
    const char* via = "focus";
    if (!target) { target = gti.hwndActive; via = "active"; }
    if (!target) { target = top; via = "window"; }
    std::string before = describe(target);
    DWORD target_tid = GetWindowThreadProcessId(target, nullptr);
    bool attached = false;
    // Posted messages carry no key state; sharing the target's input state lets
    // its GetKeyState(VK_SHIFT) see the Shift key held down.
    if (k->shift) {
        attached = AttachThreadInput(GetCurrentThreadId(), target_tid, TRUE) != 0;
        set_shift(true);
    }
    LPARAM base = 1 | ((LPARAM)k->scan << 16) | (k->ext ? (1 << 24) : 0);
    if (k->shift) PostMessageW(target, WM_KEYDOWN, VK_SHIFT, 1 | (0x2A << 16));
    PostMessageW(target, WM_KEYDOWN, k->vk, base);
    PostMessageW(target, WM_KEYUP, k->vk, base | (1u << 30) | (1u << 31));
    if (k->shift) PostMessageW(target, WM_KEYUP, VK_SHIFT, 1 | (0x2A << 16) | (1u << 30) | (1u << 31));
    bool synced = sync_with(target, k->shift ? 5 : 3);
    if (k->shift) {
        set_shift(false);
        if (attached) AttachThreadInput(GetCurrentThreadId(), target_tid, FALSE);
    }
    HWND after = IsWindow(top) ? thread_focus(top, &gti) : nullptr;
    return ok(Obj().str("key", name).str("via", via).raw("focus", before).raw("focus_after", describe(after))
                  .boolean("synced", synced));
}

// Plain characters arrive as WM_CHAR like keystrokes. Others are inserted as
// an input method would hand over a finished string: posted WM_CHAR with a
// non-ASCII character reaches an ANSI edit box garbled under Wine.
std::string type_text(HWND top, const std::wstring& text) {
    GUITHREADINFO gti;
    HWND target = thread_focus(top, &gti);
    if (!target) return fail("no focus", Obj().raw("window", describe(top)));
    if (first_disabled(target)) return fail("disabled", Obj().raw("control", describe(target)));
    std::wstring cls = lower(class_of(target));
    bool edit = cls == L"edit" || cls.compare(0, 8, L"richedit") == 0;
    bool pending = false, composed = false;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c < 0x80 || !edit) {
            PostMessageW(target, WM_CHAR, c, 1);
            pending = true;
            continue;
        }
        std::wstring piece(1, c);
        if (IS_HIGH_SURROGATE(c) && i + 1 < text.size()) piece += text[++i];
        if (pending) sync_with(target);
        pending = false;
        send_to(target, EM_REPLACESEL, TRUE, (LPARAM)piece.c_str());
        composed = true;
    }
    bool synced = sync_with(target);
    return ok(Obj().raw("control", describe(target)).boolean("composed", composed).boolean("synced", synced));
}

// A buffer inside the target process, for messages whose pointer arguments
// Windows does not carry across processes (CDM_*, LVM_GETITEMTEXT).
class RemoteBuf {
public:
    RemoteBuf(HWND h, size_t size) : size_(size) {
        proc_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
                            FALSE, pid_of(h));
        if (proc_) mem_ = VirtualAllocEx(proc_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuf() {
        if (mem_) VirtualFreeEx(proc_, mem_, 0, MEM_RELEASE);
        if (proc_) CloseHandle(proc_);
    }
    bool valid() const { return mem_ != nullptr; }
    char* addr() const { return (char*)mem_; }
    bool write(size_t off, const void* p, size_t n) {
        SIZE_T w = 0;
        return WriteProcessMemory(proc_, addr() + off, p, n, &w) && w == n;
    }
    std::vector<char> read(size_t off, size_t n) {
        std::vector<char> b(n, 0);
        SIZE_T r = 0;
        ReadProcessMemory(proc_, addr() + off, b.data(), n, &r);
        return b;
    }
    void clear() {
        std::vector<char> z(size_, 0);
        write(0, z.data(), z.size());
    }

private:
    HANDLE proc_ = nullptr;
    void* mem_ = nullptr;
    size_t size_;
};

// The answer is ANSI for a dialog opened with the "A" function, else UTF-16.
std::wstring decode_remote_string(const std::vector<char>& b) {
    if (b.size() >= 2 && b[0] != 0 && b[1] == 0) {
        std::wstring w((const wchar_t*)b.data(), b.size() / 2);
        return w.substr(0, wcsnlen(w.c_str(), w.size()));
    }
    size_t n = strnlen(b.data(), b.size());
    return from_acp(b.data(), n);
}

std::wstring cdm_string(HWND dlg, UINT msg) {
    RemoteBuf rb(dlg, 4096);
    if (!rb.valid()) return L"";
    rb.clear();
    bool answered = false;
    send_to(dlg, msg, 2000, (LPARAM)rb.addr(), &answered);
    if (!answered) return L"";
    return decode_remote_string(rb.read(0, 4096));
}

std::vector<std::string> listview_items(HWND lv) {
    std::vector<std::string> out;
    int count = (int)send_to(lv, LVM_GETITEMCOUNT, 0, 0);
    if (count <= 0) return out;
    RemoteBuf rb(lv, 8192);
    if (!rb.valid()) return out;
    const size_t text_off = 1024;
    for (int i = 0; i < count && i < 500; ++i) {
        LVITEMW item;
        memset(&item, 0, sizeof item);
        item.iSubItem = 0;
        item.cchTextMax = 1024;
        item.pszText = (LPWSTR)(rb.addr() + text_off);
        rb.write(0, &item, sizeof item);
        wchar_t zero = 0;
        rb.write(text_off, &zero, sizeof zero);
        send_to(lv, LVM_GETITEMTEXTW, i, (LPARAM)rb.addr());
        std::vector<char> b = rb.read(text_off, 2048);
        std::wstring w((const wchar_t*)b.data(), 1024);
        out.push_back(jstr(w.substr(0, wcsnlen(w.c_str(), w.size()))));
    }
    return out;
}

bool is_file_dialog(HWND h) {
    if (!IsWindowVisible(h) || class_of(h) != L"#32770") return false;
    return GetDlgItem(h, 0x47C) != nullptr;
}

bool is_message_box(HWND h) {
    if (!IsWindowVisible(h) || class_of(h) != L"#32770") return false;
    if (GetDlgItem(h, 0x47C)) return false;
    HWND text = GetDlgItem(h, 0xFFFF);
    return text && lower(class_of(text)) == L"static";
}

HWND wait_for(DWORD timeout, const std::string& title, bool (*pred)(HWND), DWORD* waited) {
    std::wstring want = from_utf8(title);
    DWORD start = GetTickCount();
    for (;;) {
        for (HWND h : top_windows()) {
            if (!pred(h)) continue;
            if (!title.empty() && title_of(h) != want) continue;
            if (waited) *waited = GetTickCount() - start;
            return h;
        }
        if (GetTickCount() - start >= timeout) return nullptr;
        Sleep(kPollMs);
    }
}

HWND name_edit(HWND dlg) {
    HWND box = GetDlgItem(dlg, 0x47C);
    if (!box) return nullptr;
    if (lower(class_of(box)) == L"edit") return box;
    HWND e = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (!e) {
        HWND inner = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
        if (inner) e = FindWindowExW(inner, nullptr, L"Edit", nullptr);
    }
    return e ? e : box;
}

std::string file_dialog_info(HWND dlg) {
    Obj o;
    o.num("hwnd", hnum(dlg)).str("title", title_of(dlg));
    HWND edit = name_edit(dlg);
    o.str("name", edit ? text_of(edit) : L"");
    HWND filter = GetDlgItem(dlg, 0x470);
    if (filter) {
        int count = 0, sel = -1;
        std::string items = list_items(filter, true, &count, &sel);
        o.raw("filters", items).num("filter_index", sel);
    } else {
        o.null("filters");
    }
    std::wstring folder = cdm_string(dlg, CDM_GETFOLDERPATH);
    o.str("folder", folder);
    HWND lookin = GetDlgItem(dlg, 0x471);
    o.str("look_in", lookin ? text_of(lookin) : L"");
    std::vector<std::string> files;
    for (HWND c : descendants(dlg))
        if (class_of(c) == L"SysListView32") {
            files = listview_items(c);
            break;
        }
    o.raw("files", jarr(files));
    HWND okb = GetDlgItem(dlg, IDOK), cancel = GetDlgItem(dlg, IDCANCEL);
    o.str("ok_caption", okb ? title_of(okb) : L"").str("cancel_caption", cancel ? title_of(cancel) : L"");
    return o.done();
}

std::string msgbox_info(HWND box) {
    Obj o;
    o.num("hwnd", hnum(box)).num("pid", pid_of(box)).str("title", title_of(box));
    HWND text = GetDlgItem(box, 0xFFFF);
    o.str("text", text ? text_of(text) : L"");
    std::vector<std::string> buttons;
    for (HWND c : descendants(box)) {
        if (lower(class_of(c)) != L"button" || !IsWindowVisible(c)) continue;
        DWORD st = (DWORD)GetWindowLongW(c, GWL_STYLE);
        const char* name = "";
        switch (ctrl_id(c)) {
        case IDOK: name = "OK"; break;
        case IDCANCEL: name = "Cancel"; break;
        case IDABORT: name = "Abort"; break;
        case IDRETRY: name = "Retry"; break;
        case IDIGNORE: name = "Ignore"; break;
        case IDYES: name = "Yes"; break;
        case IDNO: name = "No"; break;
        case IDTRYAGAIN: name = "TryAgain"; break;
        case IDCONTINUE: name = "Continue"; break;
        case 9: name = "Help"; break;
        }
        buttons.push_back(Obj().num("id", ctrl_id(c)).str("name", name).str("text", title_of(c))
                              .boolean("default", (st & BS_TYPEMASK) == BS_DEFPUSHBUTTON).done());
    }
    o.raw("buttons", jarr(buttons));
    HWND icon_static = nullptr;
    for (HWND c : descendants(box))
        if (lower(class_of(c)) == L"static" && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icon_static = c;
            break;
        }
    std::string icon = "none";
    std::vector<std::string> scores;
    LRESULT remote_icon = icon_static ? send_to(icon_static, STM_GETICON, 0, 0) : 0;
    if (remote_icon) {
        icon = "other";
        o.num("icon_handle", (long long)remote_icon);
        std::string same = "";
        for (const auto& c : kStockIcons)
            if ((LRESULT)LoadIconW(nullptr, c.id) == remote_icon) same = c.name;
        o.str("icon_by_handle", same);
        RECT r = client_screen_rect(icon_static);
        // The icon may not be painted yet right after the box appears.
        for (int attempt = 0; attempt < 40; ++attempt) {
            Pixels seen = capture_screen(r);
            std::vector<IconMatch> m = match_stock_icons(seen);
            const IconMatch* best = nullptr;
            scores.clear();
            for (const auto& x : m) {
                scores.push_back(Obj().str("icon", x.name).dbl("score", x.score).done());
                if (!best || x.score > best->score) best = &x;
            }
            const IconMatch* second = nullptr;
            for (const auto& x : m)
                if (&x != best && (!second || x.score > second->score)) second = &x;
            if (best && best->score >= 0.95 && (!second || best->score - second->score >= 0.05)) {
                icon = best->name;
                break;
            }
            sync_with(box, 1);
            Sleep(25);
        }
        o.raw("icon_rect", jrect(r));
    }
    o.str("icon", icon).raw("icon_scores", jarr(scores));
    return o.done();
}

int msgbox_button_id(const std::string& name) {
    static const std::map<std::string, int> ids = {
        {"ok", IDOK}, {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY}, {"ignore", IDIGNORE},
        {"yes", IDYES}, {"no", IDNO}, {"tryagain", IDTRYAGAIN}, {"continue", IDCONTINUE}};
    std::string l;
    for (char c : name) l += (char)tolower((unsigned char)c);
    auto it = ids.find(l);
    if (it != ids.end()) return it->second;
    long long v = 0;
    if (parse_int(name, &v)) return (int)v;
    return -1;
}

// Done when the window goes, or as soon as it is disabled: a modal box (an
// error message, say) came up over it instead.
bool wait_window_gone(HWND h, DWORD timeout) {
    DWORD start = GetTickCount();
    while (IsWindow(h) && IsWindowVisible(h)) {
        if (!IsWindowEnabled(h) || GetTickCount() - start >= timeout) return false;
        Sleep(kPollMs);
    }
    return true;
}

// "HKCU\Software\X" -> root and subkey.
bool split_key(const std::string& path, HKEY* root, std::wstring* sub) {
    std::wstring w = from_utf8(path);
    size_t slash = w.find(L'\\');
    std::wstring head = lower(w.substr(0, slash));
    *sub = slash == std::wstring::npos ? L"" : w.substr(slash + 1);
    if (head == L"hkcu" || head == L"hkey_current_user") *root = HKEY_CURRENT_USER;
    else if (head == L"hklm" || head == L"hkey_local_machine") *root = HKEY_LOCAL_MACHINE;
    else if (head == L"hkcc" || head == L"hkey_current_config") *root = HKEY_CURRENT_CONFIG;
    else if (head == L"hkcr" || head == L"hkey_classes_root") *root = HKEY_CLASSES_ROOT;
    else return false;
    return true;
}

std::string reg_command(const std::vector<std::string>& a) {
    HKEY root = nullptr;
    std::wstring sub;
    if (a.size() < 2 || !split_key(a[1], &root, &sub)) return fail("bad key");
    const std::string& cmd = a[0];
    if (cmd == "reg-delete") {
        LSTATUS r = RegDeleteTreeW(root, sub.c_str());
        if (r == ERROR_SUCCESS) RegDeleteKeyW(root, sub.c_str());
        return ok(Obj().boolean("existed", r == ERROR_SUCCESS));
    }
    if (a.size() < 3) return fail("missing value name");
    std::wstring name = from_utf8(a[2]);
    if (cmd == "reg-get") {
        HKEY k;
        if (RegOpenKeyExW(root, sub.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return fail("no key");
        DWORD type = 0, size = 0;
        LSTATUS r = RegQueryValueExW(k, name.c_str(), nullptr, &type, nullptr, &size);
        std::vector<BYTE> data(size + 4, 0);
        if (r == ERROR_SUCCESS) r = RegQueryValueExW(k, name.c_str(), nullptr, &type, data.data(), &size);
        RegCloseKey(k);
        if (r != ERROR_SUCCESS) return fail("no value");
        if (type == REG_DWORD) return ok(Obj().str("type", "REG_DWORD").num("data", *(DWORD*)data.data()));
        if (type == REG_SZ || type == REG_EXPAND_SZ)
            return ok(Obj().str("type", type == REG_SZ ? "REG_SZ" : "REG_EXPAND_SZ")
                          .str("data", std::wstring((const wchar_t*)data.data())));
        return ok(Obj().num("type", type).num("size", size));
    }
    if (cmd == "reg-set") {
        if (a.size() < 5) return fail("missing type or data");
        HKEY k;
        if (RegCreateKeyExW(root, sub.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
            return fail("cannot create key");
        LSTATUS r;
        if (a[3] == "REG_DWORD") {
            long long v = 0;
            if (!parse_int(a[4], &v)) { RegCloseKey(k); return fail("bad number"); }
            DWORD d = (DWORD)v;
            r = RegSetValueExW(k, name.c_str(), 0, REG_DWORD, (const BYTE*)&d, sizeof d);
        } else {
            std::wstring w = from_utf8(a[4]);
            r = RegSetValueExW(k, name.c_str(), 0, REG_SZ, (const BYTE*)w.c_str(), (DWORD)((w.size() + 1) * 2));
        }
        RegCloseKey(k);
        return r == ERROR_SUCCESS ? ok() : fail("set failed");
    }
    return fail("unknown command");
}

DWORD timeout_arg(const std::vector<std::string>& a, size_t i, DWORD def = kDefaultWaitMs) {
    long long v = 0;
    if (a.size() > i && parse_int(a[i], &v) && v >= 0) return (DWORD)v;
    return def;
}

#define NEED(n) \
    if (a.size() < (n) + 1) return fail("missing arguments", Obj().num("expected", n))

#define TOP(var, title)                          \
    std::vector<HWND> var##_all = find_top(title); \
    if (var##_all.empty()) return not_found(title); \
    HWND var = var##_all[0]

std::string run(const std::vector<std::string>& a) {
    const std::string& cmd = a[0];
    if (cmd == "ping") return ok(Obj().str("pong", "pong"));

    if (cmd == "settle") {
        for (HWND h : top_windows())
            if (IsWindowVisible(h) && pid_of(h) != GetCurrentProcessId()) settle(h);
        return ok(Obj());
    }

    if (cmd == "help") {
        static const char* names[] = {
            "ping", "settle", "help", "windows", "window", "wait-window", "wait-gone", "controls", "control", "text",
            "press", "press-id", "command", "set-text", "type", "select", "key", "focus", "activate", "close",
            "rect", "dpi", "pixels", "file-open", "file-cancel", "file-dialog", "msgbox", "msgbox-press",
            "processes", "kill", "reg-get", "reg-set", "reg-delete", "quit"};
        std::vector<std::string> v;
        for (const char* n : names) v.push_back(jstr(std::string(n)));
        return ok(Obj().raw("commands", jarr(v)));
    }

    if (cmd == "windows") {
        bool all = a.size() > 1 && a[1] == "all";
        std::vector<std::string> v;
        for (HWND h : top_windows())
            if (all || IsWindowVisible(h)) {
                std::string info = window_info(h);
                if (all) info = "{\"visible\":" + std::string(IsWindowVisible(h) ? "true," : "false,") + info.substr(1);
                v.push_back(info);
            }
        return ok(Obj().raw("windows", jarr(v)));
    }

    if (cmd == "wait-window") {
        NEED(1);
        DWORD timeout = timeout_arg(a, 2), start = GetTickCount();
        for (;;) {
            std::vector<HWND> found = find_top(a[1]);
            if (!found.empty()) {
                settle(found[0]);
                std::string info = window_info(found[0]);
                return "{\"ok\":true,\"count\":" + std::to_string(found.size()) + ",\"waited_ms\":" +
                       std::to_string(GetTickCount() - start) + "," + info.substr(1);
            }
            if (GetTickCount() - start >= timeout)
                return fail("timeout", Obj().str("title", a[1]).raw("visible", jarr(visible_titles())));
            Sleep(kPollMs);
        }
    }

    if (cmd == "wait-gone") {
        NEED(1);
        DWORD timeout = timeout_arg(a, 2), start = GetTickCount();
        for (;;) {
            if (find_top(a[1]).empty()) return ok(Obj().num("waited_ms", GetTickCount() - start));
            if (GetTickCount() - start >= timeout) return fail("timeout", Obj().str("title", a[1]));
            Sleep(kPollMs);
        }
    }

    if (cmd == "window") {
        NEED(1);
        TOP(top, a[1]);
        return "{\"ok\":true," + window_info(top).substr(1);
    }

    if (cmd == "controls") {
        NEED(1);
        TOP(top, a[1]);
        std::vector<std::string> v;
        std::vector<HWND> all = descendants(top);
        for (size_t i = 0; i < all.size(); ++i) v.push_back(control_info(top, all[i], (int)i));
        return ok(Obj().num("hwnd", hnum(top)).raw("controls", jarr(v)));
    }

    if (cmd == "control") {
        NEED(2);
        TOP(top, a[1]);
        HWND c = find_control(top, a[2]);
        if (!c) return fail("no control", Obj().str("control", a[2]));
        std::vector<HWND> all = descendants(top);
        int idx = -1;
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i] == c) idx = (int)i;
        return ok(Obj().raw("control", control_info(top, c, idx)));
    }

    if (cmd == "text") {
        NEED(2);
        TOP(top, a[1]);
        HWND c = find_control(top, a[2]);
        if (!c) return fail("no control", Obj().str("control", a[2]));
        return ok(Obj().str("text", text_of(c)).num("hwnd", hnum(c)));
    }

    if (cmd == "press" || cmd == "press-id") {
        NEED(2);
        TOP(top, a[1]);
        HWND btn = nullptr;
        if (cmd == "press") {
            std::vector<HWND> m = find_by_caption(top, from_utf8(a[2]), L"Button");
            for (HWND h : m)
                if (IsWindowVisible(h)) { btn = h; break; }
            if (!btn && !m.empty()) btn = m[0];
        } else {
            btn = find_control(top, a[2]);
        }
        if (!btn) return fail("no button", Obj().str("caption", a[2]).raw("buttons", jarr(button_captions(top))));
        return click_button(btn);
    }

    if (cmd == "command") {
        NEED(2);
        TOP(top, a[1]);
        long long id = 0;
        if (!parse_int(a[2], &id)) return fail("bad id");
        if (!IsWindowEnabled(top)) return fail("disabled", Obj().str("what", "window"));
        PostMessageW(top, WM_COMMAND, MAKEWPARAM((WORD)id, 0), 0);
        return ok(Obj().boolean("synced", sync_with(top)));
    }

    if (cmd == "set-text") {
        NEED(3);
        TOP(top, a[1]);
        HWND c = find_control(top, a[2]);
        if (!c) return fail("no control", Obj().str("control", a[2]));
        HWND bad = first_disabled(c);
        if (bad) return fail("disabled", Obj().raw("control", describe(c)));
        std::wstring w = from_utf8(a[3]);
        bool answered = false;
        send_to(c, WM_SETTEXT, 0, (LPARAM)w.c_str(), &answered);
        return ok(Obj().raw("control", describe(c)).boolean("answered", answered));
    }

    if (cmd == "type") {
        NEED(2);
        TOP(top, a[1]);
        return type_text(top, from_utf8(a[2]));
    }

    if (cmd == "select") {
        NEED(3);
        TOP(top, a[1]);
        HWND c = find_control(top, a[2]);
        if (!c) return fail("no control", Obj().str("control", a[2]));
        if (first_disabled(c)) return fail("disabled", Obj().raw("control", describe(c)));
        long long idx = 0;
        if (!parse_int(a[3], &idx)) return fail("bad index");
        bool combo = lower(class_of(c)) != L"listbox";
        send_to(c, combo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)idx, 0);
        PostMessageW(GetAncestor(c, GA_PARENT), WM_COMMAND,
                     MAKEWPARAM(ctrl_id(c), combo ? CBN_SELCHANGE : LBN_SELCHANGE), (LPARAM)c);
        return ok(Obj().raw("control", describe(c)).boolean("synced", sync_with(c)));
    }

    if (cmd == "key") {
        NEED(2);
        TOP(top, a[1]);
        return press_key(top, a[2]);
    }

    if (cmd == "focus") {
        NEED(1);
        TOP(top, a[1]);
        return focus_answer(top);
    }

    if (cmd == "activate") {
        NEED(1);
        TOP(top, a[1]);
        BOOL r = SetForegroundWindow(top);
        sync_with(top, 2);
        return ok(Obj().boolean("result", r != 0).raw("foreground", describe(GetForegroundWindow())));
    }

    if (cmd == "close") {
        NEED(1);
        TOP(top, a[1]);
        if (!IsWindowEnabled(top)) return fail("disabled", Obj().str("what", "window"));
        bool sysmenu = (GetWindowLongW(top, GWL_STYLE) & WS_SYSMENU) != 0;
        PostMessageW(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        bool synced = sync_with(top);
        return ok(Obj().num("hwnd", hnum(top)).boolean("sysmenu", sysmenu).boolean("synced", synced));
    }

    if (cmd == "rect") {
        NEED(1);
        TOP(top, a[1]);
        RECT r = screen_rect(top), c;
        GetClientRect(top, &c);
        POINT p = {0, 0};
        ClientToScreen(top, &p);
        return ok(Obj().num("hwnd", hnum(top)).raw("window", jrect(r))
                      .raw("client_size", Obj().num("width", c.right).num("height", c.bottom).done())
                      .raw("client_origin", Obj().num("x", p.x).num("y", p.y).done())
                      .raw("client", jrect(client_screen_rect(top))));
    }

    if (cmd == "dpi") {
        HDC dc = GetDC(nullptr);
        int x = GetDeviceCaps(dc, LOGPIXELSX), y = GetDeviceCaps(dc, LOGPIXELSY);
        int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
        ReleaseDC(nullptr, dc);
        return ok(Obj().num("x", x).num("y", y).num("screen_width", w).num("screen_height", h)
                      .num("icon_size", GetSystemMetrics(SM_CXICON))
                      .num("caption_height", GetSystemMetrics(SM_CYCAPTION)));
    }

    if (cmd == "pixels") {
        NEED(1);
        TOP(top, a[1]);
        HWND target = top;
        if (a.size() > 2 && !a[2].empty() && a[2] != "client") {
            target = find_control(top, a[2]);
            if (!target) return fail("no control", Obj().str("control", a[2]));
        }
        settle(target);
        Pixels p = capture_screen(client_screen_rect(target));
        Obj o;
        o.num("hwnd", hnum(target)).raw("rect", jrect(client_screen_rect(target))).raw("digest", pixel_digest(p));
        if (a.size() > 3 && !a[3].empty()) o.boolean("saved", save_bmp(p, from_utf8(a[3])));
        return ok(o);
    }

    if (cmd == "file-open" || cmd == "file-cancel" || cmd == "file-dialog") {
        std::string title = a.size() > 1 ? a[1] : "";
        DWORD timeout = timeout_arg(a, cmd == "file-open" ? 3 : 2);
        DWORD waited = 0;
        HWND dlg = wait_for(timeout, title, is_file_dialog, &waited);
        if (!dlg) return fail("timeout", Obj().str("title", title).raw("visible", jarr(visible_titles())));
        sync_with(dlg, 1);
        std::string info = file_dialog_info(dlg);
        if (cmd == "file-dialog") return "{\"ok\":true,\"waited_ms\":" + std::to_string(waited) + "," + info.substr(1);
        if (first_disabled(dlg)) return fail("disabled", Obj().raw("dialog", info));
        int button = IDCANCEL;
        if (cmd == "file-open") {
            NEED(2);
            HWND edit = name_edit(dlg);
            if (!edit) return fail("no name box", Obj().raw("dialog", info));
            std::wstring w = from_utf8(a[2]);
            send_to(edit, WM_SETTEXT, 0, (LPARAM)w.c_str());
            button = IDOK;
        }
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(dlg, button));
        sync_with(dlg);
        bool closed = wait_window_gone(dlg, 3000);
        return ok(Obj().raw("dialog", info).boolean("closed", closed));
    }

    if (cmd == "msgbox") {
        std::string title = a.size() > 1 ? a[1] : "";
        DWORD waited = 0;
        HWND box = wait_for(timeout_arg(a, 2), title, is_message_box, &waited);
        if (!box) return fail("timeout", Obj().str("title", title).raw("visible", jarr(visible_titles())));
        sync_with(box, 1);
        return "{\"ok\":true,\"waited_ms\":" + std::to_string(waited) + "," + msgbox_info(box).substr(1);
    }

    if (cmd == "msgbox-press") {
        NEED(2);
        DWORD waited = 0;
        HWND box = wait_for(timeout_arg(a, 3), a[1], is_message_box, &waited);
        if (!box) return fail("timeout", Obj().str("title", a[1]).raw("visible", jarr(visible_titles())));
        int id = msgbox_button_id(a[2]);
        HWND btn = nullptr;
        if (id >= 0) btn = GetDlgItem(box, id);
        if (!btn) {
            std::vector<HWND> m = find_by_caption(box, from_utf8(a[2]), L"Button");
            if (!m.empty()) { btn = m[0]; id = ctrl_id(btn); }
        }
        if (!btn || !IsWindowVisible(btn)) return fail("no button", Obj().str("button", a[2]).raw("box", msgbox_info(box)));
        if (!IsWindowEnabled(btn)) return fail("disabled", Obj().raw("control", describe(btn)));
        HWND text_static = GetDlgItem(box, 0xFFFF);
        std::wstring text = text_static ? text_of(text_static) : L"";
        std::wstring box_title = title_of(box), caption = title_of(btn);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)btn);
        sync_with(box);
        bool closed = wait_window_gone(box, 3000);
        return ok(Obj().num("id", id).str("button", caption).str("title", box_title).str("text", text)
                      .boolean("closed", closed));
    }

    if (cmd == "reg-get" || cmd == "reg-set" || cmd == "reg-delete") return reg_command(a);

    if (cmd == "processes") {
        std::vector<std::string> v;
        HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snap == INVALID_HANDLE_VALUE) return fail("snapshot failed");
        PROCESSENTRY32W pe;
        pe.dwSize = sizeof pe;
        for (BOOL more = Process32FirstW(snap, &pe); more; more = Process32NextW(snap, &pe))
            v.push_back(Obj().num("pid", pe.th32ProcessID).num("parent", pe.th32ParentProcessID)
                            .str("exe", std::wstring(pe.szExeFile)).done());
        CloseHandle(snap);
        return ok(Obj().num("self", GetCurrentProcessId()).raw("processes", jarr(v)));
    }

    if (cmd == "kill") {
        NEED(1);
        long long pid = 0;
        if (!parse_int(a[1], &pid)) return fail("bad pid");
        if ((DWORD)pid == GetCurrentProcessId()) return fail("refusing to kill the driver");
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, (DWORD)pid);
        if (!h) return fail("no such process", Obj().num("pid", pid));
        BOOL done = TerminateProcess(h, 1);
        DWORD w = WaitForSingleObject(h, timeout_arg(a, 2, 5000));
        CloseHandle(h);
        return done ? ok(Obj().num("pid", pid).boolean("ended", w == WAIT_OBJECT_0))
                    : fail("terminate failed", Obj().num("pid", pid));
    }

    return fail("unknown command", Obj().str("command", cmd));
}

HANDLE g_in, g_out;

void write_line(const std::string& s) {
    std::string line = s + "\n";
    DWORD w = 0;
    WriteFile(g_out, line.data(), (DWORD)line.size(), &w, nullptr);
    FlushFileBuffers(g_out);
}

bool read_line(std::string* line) {
    static std::string pending;
    for (;;) {
        size_t nl = pending.find('\n');
        if (nl != std::string::npos) {
            *line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            if (!line->empty() && line->back() == '\r') line->pop_back();
            return true;
        }
        char buf[4096];
        DWORD got = 0;
        if (!ReadFile(g_in, buf, sizeof buf, &got, nullptr) || got == 0) {
            if (pending.empty()) return false;
            *line = pending;
            pending.clear();
            return true;
        }
        pending.append(buf, got);
    }
}

std::vector<std::string> split_tabs(const std::string& s) {
    std::vector<std::string> v;
    size_t start = 0;
    for (;;) {
        size_t t = s.find('\t', start);
        if (t == std::string::npos) { v.push_back(s.substr(start)); break; }
        v.push_back(s.substr(start, t - start));
        start = t + 1;
    }
    return v;
}

}  // namespace

int main() {
    g_in = GetStdHandle(STD_INPUT_HANDLE);
    g_out = GetStdHandle(STD_OUTPUT_HANDLE);
    // Pixel coordinates must be real ones, whatever the DPI setting.
    typedef BOOL(WINAPI * AwareFn)();
    FARPROC aware = GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware");
    if (aware) reinterpret_cast<AwareFn>(reinterpret_cast<void*>(aware))();
    MSG m;
    PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // a message queue, for AttachThreadInput
    write_line(ok(Obj().str("ready", "driver").num("pid", GetCurrentProcessId())));
    std::string line;
    while (read_line(&line)) {
        if (line.empty()) continue;
        std::vector<std::string> a = split_tabs(line);
        if (a[0] == "quit") {
            write_line(ok(Obj().str("bye", "bye")));
            break;
        }
        std::string answer;
        try {
            answer = run(a);
        } catch (...) {
            answer = fail("exception");
        }
        write_line(answer);
    }
    return 0;
}
