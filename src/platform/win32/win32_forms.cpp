// The forms runtime: windows built from their static definitions, labels
// that fit their text, buttons, picture boxes that keep what was drawn into
// them, and the keyboard as in a dialog.
#include "platform/win32/win32_platform.h"
#include "resources/resource.h"
#include "text/units.h"

namespace {
constexpr char kFormClass[] = "PlumwickForm";
constexpr char kPictureClass[] = "PlumwickPicture";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr UINT_PTR kFormTimer = 1;
constexpr int kPointsPerInch = 72;
constexpr char kShellLibrary[] = "SHELL32.DLL";
constexpr UINT kCountFiles = 0xFFFFFFFF;  // DragQueryFileA's index that asks how many

// GWLP_USERDATA holds what the window procedures need: a form window's
// Form, a control's Control. Both are set right after the window is made;
// messages before that go to the default procedure.
Win32Platform::Form* StoredForm(HWND hwnd)
{
    return reinterpret_cast<Win32Platform::Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
Win32Platform::Control* StoredControl(HWND hwnd)
{
    return reinterpret_cast<Win32Platform::Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Win32Platform::Form* form = StoredForm(hwnd);
    if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);
    return form->platform->formMessage(form->index, hwnd, message, wParam, lParam);
}

// A picture box shows its picture from the top-left corner on black.
LRESULT OnPicturePaint(HWND hwnd, WPARAM, LPARAM)
{
    Win32Platform::Control* c = StoredControl(hwnd);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT all;
    GetClientRect(hwnd, &all);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (c) PaintPicture(dc, c->shown);
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT OnPictureErase(HWND, WPARAM, LPARAM) { return 1; }

struct PictureHandler {
    UINT message;
    LRESULT (*handle)(HWND, WPARAM, LPARAM);
};

const PictureHandler kPictureHandlers[] = {
    {WM_PAINT, OnPicturePaint},
    {WM_ERASEBKGND, OnPictureErase},
};

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const PictureHandler& h : kPictureHandlers)
        if (h.message == message) return h.handle(hwnd, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterClasses(HINSTANCE instance)
{
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASSA form = {};
    form.lpfnWndProc = FormProc;
    form.hInstance = instance;
    form.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PLUMWICK));
    form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;
    RegisterClassA(&form);
    WNDCLASSA picture = {};
    picture.lpfnWndProc = PictureProc;
    picture.hInstance = instance;
    picture.hCursor = form.hCursor;
    picture.lpszClassName = kPictureClass;
    RegisterClassA(&picture);
}

HWND TopLevelOf(HWND hwnd)
{
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

struct ControlStyle {
    const char* windowClass;
    DWORD style;
};

ControlStyle StyleOf(const ControlDef& d)
{
    constexpr DWORD shown = WS_VISIBLE;
    switch (d.kind) {
    case ControlKind::Label: {
        // A path is drawn by the window itself (onDrawItem), shortened in its middle.
        DWORD align = (d.flags & kPathEllipsis) ? SS_OWNERDRAW
                      : (d.flags & kCentered)   ? SS_CENTER
                      : (d.flags & kAutoSize)   ? SS_LEFTNOWORDWRAP
                                                : SS_LEFT;
        return {"STATIC", WS_CHILD | shown | SS_NOPREFIX | align};
    }
    case ControlKind::CommandButton:
        return {"BUTTON", WS_CHILD | shown | WS_TABSTOP | BS_NOTIFY |
                              ((d.flags & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
    case ControlKind::PictureBox:
    case ControlKind::Image: break;
    }
    return {kPictureClass, WS_CHILD | shown};
}

int FindFlag(const FormDef& def, uint16_t flag)
{
    for (int i = 0; i < def.count; ++i)
        if (def.controls[i].flags & flag) return i;
    return -1;
}

// Made in focus order, labels and images last: a new control goes under
// those made before it, so labels and images lie under every other control,
// as if drawn on the window itself, and Tab follows the focus order.
int CreationKey(const ControlDef& d)
{
    constexpr int kAfterAll = INT8_MAX + 1;
    bool under = d.kind == ControlKind::Label || d.kind == ControlKind::Image;
    return (under ? kAfterAll : 0) + (d.tab < 0 ? kAfterAll : d.tab);
}
}

Win32Platform::Form* Win32Platform::live(FormHandle form)
{
    if (form < 0 || form >= kMaxForms || !forms_[form].loaded) return nullptr;
    return &forms_[form];
}

// Only our own windows: a message box or the file dialog is not a form.
Win32Platform::Form* Win32Platform::formOf(HWND hwnd)
{
    for (Form& f : forms_)
        if (f.loaded && hwnd && f.hwnd == hwnd) return &f;
    return nullptr;
}

// The control's place in its window's table, or -1.
int Win32Platform::indexOf(FormHandle form, int id)
{
    Form* f = live(form);
    for (int i = 0; f && i < f->def->count; ++i)
        if (f->def->controls[i].id == id) return i;
    return -1;
}

Win32Platform::Control* Win32Platform::control(FormHandle form, int id)
{
    int index = indexOf(form, id);
    return index < 0 ? nullptr : &forms_[form].controls[index];
}

HFONT Win32Platform::font(int32_t points)
{
    for (int i = 0; i < kMaxFonts && fonts_[i]; ++i)
        if (fontPoints_[i] == points) return fonts_[i];
    LOGFONTA face = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfHeight = -MulDiv(points, screen().dpiY, kPointsPerInch);
    face.lfWidth = 0;
    HFONT made = CreateFontIndirectA(&face);
    for (int i = 0; i < kMaxFonts; ++i)
        if (!fonts_[i]) {
            fonts_[i] = made;
            fontPoints_[i] = points;
            break;
        }
    return made;
}

// An auto-size label is as wide and as high as its text on one line.
void Win32Platform::fitLabel(Form& f, int index)
{
    const ControlDef& d = f.def->controls[index];
    HWND hwnd = f.controls[index].hwnd;
    if (d.kind != ControlKind::Label || !(d.flags & kAutoSize) || !hwnd) return;
    const Text& text = f.controls[index].caption;
    HDC dc = OffScreenDC();
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, before);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::createControls(int form)
{
    Form& f = forms_[form];
    ScreenInfo s = screen();
    HFONT standard = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int count = f.def->count;
    int* order = new int[count];
    if (!order) return;
    for (int i = 0; i < count; ++i) {
        int at = i;
        for (; at > 0 && CreationKey(f.def->controls[order[at - 1]]) > CreationKey(f.def->controls[i]); --at)
            order[at] = order[at - 1];
        order[at] = i;
    }
    for (int n = 0; n < count; ++n) {
        int i = order[n];
        const ControlDef& d = f.def->controls[i];
        Control& c = f.controls[i];
        c.caption = Text(TextOf(d.text));
        ControlStyle style = StyleOf(d);
        PixelRect at = TwipsToPixels(d.left, d.top, d.width, d.height, s);
        c.hwnd = CreateWindowExA(0, style.windowClass, TextOf(d.text), style.style | WS_CLIPSIBLINGS, at.left, at.top,
                                 at.width, at.height, f.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(d.id)),
                                 instance_, nullptr);
        if (!c.hwnd) continue;
        SetWindowLongPtrA(c.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
        SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(standard), FALSE);
        fitLabel(f, i);
    }
    delete[] order;
}

Err Win32Platform::loadForm(const FormDef& def, FormEvents* events, FormHandle* form)
{
    RegisterClasses(instance_);
    int slot = 0;
    while (slot < kMaxForms && forms_[slot].loaded) ++slot;
    if (slot == kMaxForms) return Err(kErrOutOfMemory);
    PixelRect client = TwipsToPixels(0, 0, def.clientWidth, def.clientHeight, screen());
    RECT outer = {0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kFormStyle, FALSE, 0);
    // WS_EX_ACCEPTFILES is what DragAcceptFiles sets: SHELL32 need not load
    // with the window.
    HWND hwnd = CreateWindowExA(def.takesDroppedFiles ? WS_EX_ACCEPTFILES : 0, kFormClass, TextOf(def.title),
                                kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                outer.bottom - outer.top, nullptr, nullptr, instance_, nullptr);
    if (!hwnd) return Err(kErrOutOfMemory);
    Form& f = forms_[slot];
    f.platform = this;
    f.index = slot;
    f.def = &def;
    f.events = events;
    f.hwnd = hwnd;
    f.controls = new Control[def.count];
    f.loaded = true;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&f));
    createControls(slot);
    *form = slot;
    events->Load(slot);
    return Err();
}

// A modal window keeps every other window of the tool disabled and runs
// the messages itself until it is unloaded.
Err Win32Platform::showForm(FormHandle form, bool modal)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    FocusKeeper keep;
    bool disabled[kMaxForms] = {};
    if (modal)
        for (int i = 0; i < kMaxForms; ++i)
            if (i != form && forms_[i].loaded && IsWindowEnabled(forms_[i].hwnd)) {
                EnableWindow(forms_[i].hwnd, FALSE);
                disabled[i] = true;
            }
    ShowWindow(f->hwnd, SW_SHOW);
    SetForegroundWindow(f->hwnd);
    for (int i = 0; i < f->def->count; ++i)
        if (f->controls[i].hwnd && (GetWindowLongA(f->controls[i].hwnd, GWL_STYLE) & WS_TABSTOP)) {
            SetFocus(f->controls[i].hwnd);
            break;
        }
    if (!modal) return Err();
    MSG message;
    while (forms_[form].loaded && GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
    for (int i = 0; i < kMaxForms; ++i)
        if (disabled[i] && forms_[i].loaded) EnableWindow(forms_[i].hwnd, TRUE);
    for (int i = 0; i < kMaxForms; ++i)
        if (disabled[i] && forms_[i].loaded) SetForegroundWindow(forms_[i].hwnd);
    return Err();
}

void Win32Platform::destroy(int form)
{
    Form& f = forms_[form];
    f.loaded = false;
    for (int i = 0; i < f.def->count; ++i) ReleasePicture(&f.controls[i].shown);
    DestroyWindow(f.hwnd);
    delete[] f.controls;
    f = Form();
}

Err Win32Platform::unloadForm(FormHandle form)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    f->events->Unload();
    destroy(form);
    return Err();
}

Err Win32Platform::formRect(FormHandle form, PixelRect* outer)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    RECT r;
    GetWindowRect(f->hwnd, &r);
    *outer = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return Err();
}

Err Win32Platform::moveForm(FormHandle form, const PixelRect& outer)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    MoveWindow(f->hwnd, outer.left, outer.top, outer.width, outer.height, TRUE);
    return Err();
}

Err Win32Platform::setCaption(FormHandle form, int id, const Text& text)
{
    Control* c = control(form, id);
    if (!c) return Err(kErrInvalidCall);
    if (c->caption == text) return Err();
    c->caption = text;
    if (c->hwnd) {
        SetWindowTextA(c->hwnd, text.c_str());
        InvalidateRect(c->hwnd, nullptr, TRUE);
    }
    fitLabel(forms_[form], indexOf(form, id));
    return Err();
}

Err Win32Platform::setEnabled(FormHandle form, int id, bool enabled)
{
    Control* c = control(form, id);
    if (!c || !c->hwnd) return Err(kErrInvalidCall);
    EnableWindow(c->hwnd, enabled);
    return Err();
}

// One timer per window is all the windows need.
Err Win32Platform::setTimer(FormHandle form, uint32_t milliseconds)
{
    Form* f = live(form);
    if (!f) return Err(kErrInvalidCall);
    if (milliseconds == 0)
        KillTimer(f->hwnd, kFormTimer);
    else if (!SetTimer(f->hwnd, kFormTimer, milliseconds, nullptr))
        return Err(kErrOutOfMemory);
    return Err();
}

Err Win32Platform::setFontSize(FormHandle form, int id, int32_t points)
{
    Control* c = control(form, id);
    if (!c || !c->hwnd) return Err(kErrInvalidCall);
    HFONT made = font(points);
    if (!made) return Err(kErrOutOfMemory);
    SendMessageA(c->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    fitLabel(forms_[form], indexOf(form, id));
    return Err();
}

Err Win32Platform::moveControl(FormHandle form, int id, int32_t left, int32_t top, int32_t width, int32_t height)
{
    Control* c = control(form, id);
    if (!c || !c->hwnd) return Err(kErrInvalidCall);
    RECT r;
    GetWindowRect(c->hwnd, &r);
    MapWindowPoints(nullptr, forms_[form].hwnd, reinterpret_cast<POINT*>(&r), 2);
    if (width == kUnchanged) width = r.right - r.left;
    if (height == kUnchanged) height = r.bottom - r.top;
    // Most controls already stand where the window's opening puts them;
    // moving a window costs a round of messages even when nothing moves.
    if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height) return Err();
    MoveWindow(c->hwnd, left, top, width, height, TRUE);
    return Err();
}

Err Win32Platform::drawPicture(FormHandle form, int id, const uint8_t* bgr, int32_t width, int32_t height)
{
    Control* c = control(form, id);
    if (!c || !c->hwnd) return Err(kErrInvalidCall);
    Picture drawn;
    PLUMWICK_TRY(PictureFromPixels(bgr, width, height, &drawn));
    ReleasePicture(&c->shown);
    c->shown = drawn;
    InvalidateRect(c->hwnd, nullptr, FALSE);
    return Err();
}

// Enter presses the focused button, or else the default one while it is
// enabled; Esc presses the cancel button wherever the focus is.
bool Win32Platform::handleKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) return false;
    HWND top = TopLevelOf(message.hwnd);
    Form* f = formOf(top);
    if (!f || !IsWindowEnabled(top)) return false;
    int target = -1;
    if (message.wParam == VK_RETURN) {
        HWND focus = GetFocus();
        for (int i = 0; i < f->def->count; ++i)
            if (f->controls[i].hwnd == focus && f->def->controls[i].kind == ControlKind::CommandButton) target = i;
        if (target < 0) target = FindFlag(*f->def, kDefaultButton);
    } else {
        target = FindFlag(*f->def, kCancelButton);
        // A window without a cancel button closes, as a dialog does.
        if (target < 0) {
            unloadForm(f->index);
            return true;
        }
    }
    if (target < 0) return false;
    if (IsWindowEnabled(f->controls[target].hwnd)) f->events->Click(f->def->controls[target].id);
    return true;
}

void Win32Platform::dispatch(MSG& message)
{
    if (handleKey(message)) return;
    HWND top = TopLevelOf(message.hwnd);
    if (formOf(top) && IsDialogMessageA(top, &message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Win32Platform::run()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatch(message);
}

namespace {
// The focused push button looks like the one Enter presses, as in a dialog.
void ShowDefault(const Win32Platform::Form& f, int focused, bool gaining)
{
    int standard = FindFlag(*f.def, kDefaultButton);
    if (standard < 0 || focused == standard) return;
    SendMessageA(f.controls[focused].hwnd, BM_SETSTYLE, gaining ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    SendMessageA(f.controls[standard].hwnd, BM_SETSTYLE, gaining ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
}
}

LRESULT Win32Platform::onClose(int form, WPARAM, LPARAM)
{
    unloadForm(form);
    return 0;
}

// The system closing the window is one more way of closing it.
LRESULT Win32Platform::onEndSession(int form, WPARAM ending, LPARAM)
{
    if (ending) unloadForm(form);
    return 0;
}

LRESULT Win32Platform::onCommand(int form, WPARAM wParam, LPARAM)
{
    Form& f = forms_[form];
    int index = indexOf(form, LOWORD(wParam));
    if (index < 0 || f.def->controls[index].kind != ControlKind::CommandButton) return 0;
    switch (HIWORD(wParam)) {
    case BN_CLICKED: f.events->Click(f.def->controls[index].id); break;
    case BN_SETFOCUS: ShowDefault(f, index, true); break;
    case BN_KILLFOCUS: ShowDefault(f, index, false); break;
    }
    return 0;
}

// A path label: as much of the path as fits, with "..." for the middle, so
// that its start and its file name show; DrawText walks Shift-JIS as such.
LRESULT Win32Platform::onDrawItem(int form, WPARAM, LPARAM lParam)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const Control* c = control(form, static_cast<int>(item->CtlID));
    if (!c) return FALSE;
    HDC dc = item->hDC;
    RECT box = item->rcItem;
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ before = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item->hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, c->caption.c_str(), static_cast<int>(c->caption.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    SelectObject(dc, before);
    return TRUE;
}

// The shown control under a point of the form's client area, or kNoControl.
int Win32Platform::controlAt(const Form& f, POINT at)
{
    for (int i = 0; i < f.def->count; ++i) {
        RECT box;
        HWND c = f.controls[i].hwnd;
        if (!c || !IsWindowVisible(c) || !GetWindowRect(c, &box)) continue;
        MapWindowPoints(nullptr, f.hwnd, reinterpret_cast<POINT*>(&box), 2);
        if (PtInRect(&box, at)) return f.def->controls[i].id;
    }
    return kNoControl;
}

using DragQueryFileFunction = UINT(WINAPI*)(HANDLE, UINT, LPSTR, UINT);
using DragQueryPointFunction = BOOL(WINAPI*)(HANDLE, POINT*);
using DragFinishFunction = void(WINAPI*)(HANDLE);

// Files dropped from Explorer, read by SHELL32, which the shell that made
// the drop has loaded already.
LRESULT Win32Platform::onDropFiles(int form, WPARAM drop, LPARAM)
{
    if (!shell_) shell_ = LoadLibraryA(kShellLibrary);
    auto procedure = [this](const char* name) {
        return reinterpret_cast<void*>(shell_ ? GetProcAddress(shell_, name) : nullptr);
    };
    auto queryFile = reinterpret_cast<DragQueryFileFunction>(procedure("DragQueryFileA"));
    auto queryPoint = reinterpret_cast<DragQueryPointFunction>(procedure("DragQueryPoint"));
    auto finish = reinterpret_cast<DragFinishFunction>(procedure("DragFinish"));
    if (!queryFile || !queryPoint || !finish) return 0;
    HANDLE files = reinterpret_cast<HANDLE>(drop);
    char first[MAX_PATH] = {};
    const UINT count = queryFile(files, kCountFiles, nullptr, 0);
    if (count) queryFile(files, 0, first, MAX_PATH);
    POINT at = {};
    queryPoint(files, &at);
    finish(files);
    Form& f = forms_[form];
    f.events->FilesDropped(controlAt(f, at), count, Text(first));
    return 0;
}

LRESULT Win32Platform::onTimer(int form, WPARAM, LPARAM)
{
    forms_[form].events->Timer();
    return 0;
}

const Win32Platform::FormHandler Win32Platform::kFormHandlers[] = {
    {WM_CLOSE, &Win32Platform::onClose},       {WM_ENDSESSION, &Win32Platform::onEndSession},
    {WM_COMMAND, &Win32Platform::onCommand},   {WM_TIMER, &Win32Platform::onTimer},
    {WM_DRAWITEM, &Win32Platform::onDrawItem}, {WM_DROPFILES, &Win32Platform::onDropFiles},
};

LRESULT Win32Platform::formMessage(int form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (live(form))
        for (const FormHandler& h : kFormHandlers)
            if (h.message == message) return (this->*h.handle)(form, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
