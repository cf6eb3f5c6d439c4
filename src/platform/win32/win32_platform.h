#pragma once
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/picture.h"

class FocusKeeper {
public:
    FocusKeeper();
    ~FocusKeeper();
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    HWND focus_;
};

// The tool's platform on Windows 95 and later, through the ANSI functions.
class Win32Platform final : public Platform {
public:
    Win32Platform();

    Text commandLine() override;
    uint32_t randomSeed() override;
    bool anotherCopyRunning() override;
    Text toolFolder() override;
    uint32_t codePage() override;
    Text windowsDirectory() override;
    [[noreturn]] void endNow() override;

    bool readProfileString(const Text& section, const Text& key, const Text& file, Text* value) override;
    void writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file) override;
    ScreenInfo screen() override;

    Err loadForm(const FormDef& def, FormEvents* events, FormHandle* form) override;
    Err showForm(FormHandle form, bool modal) override;
    Err unloadForm(FormHandle form) override;
    Err formRect(FormHandle form, PixelRect* outer) override;
    Err moveForm(FormHandle form, const PixelRect& outer) override;
    Err setCaption(FormHandle form, int control, const Text& text) override;
    Err setEnabled(FormHandle form, int control, bool enabled) override;
    Err setTimer(FormHandle form, uint32_t milliseconds) override;
    Err setFontSize(FormHandle form, int control, int32_t points) override;
    Err moveControl(FormHandle form, int control, int32_t left, int32_t top, int32_t width, int32_t height) override;
    Err drawPicture(FormHandle form, int control, const uint8_t* bgr, int32_t width, int32_t height) override;
    Err resource(uint16_t id, const uint8_t** data, uint32_t* size) override;

    Answer messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title) override;
    Err showOpen(OpenFileRequest& request) override;
    void showBusy(bool busy) override;
    void run() override;

    struct Control {
        HWND hwnd = nullptr;
        Text caption;
        Picture shown;  // what a picture box or image shows
    };
    struct Form {
        Win32Platform* platform = nullptr;
        int index = -1;
        const FormDef* def = nullptr;
        FormEvents* events = nullptr;
        HWND hwnd = nullptr;
        Control* controls = nullptr;
        bool loaded = false;
    };

    LRESULT formMessage(int form, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The main window, the help window over it, and room to spare.
    static constexpr int kMaxForms = 4;
    // Fonts are made once per size and kept; the windows use one or two sizes.
    static constexpr int kMaxFonts = 8;

    Form* live(FormHandle form);
    Form* formOf(HWND hwnd);
    int indexOf(FormHandle form, int id);
    Control* control(FormHandle form, int id);
    void createControls(int form);
    void fitLabel(Form& f, int index);
    HFONT font(int32_t points);
    bool handleKey(const MSG& message);
    void dispatch(MSG& message);
    void destroy(int form);

    struct FormHandler {
        UINT message;
        LRESULT (Win32Platform::*handle)(int form, WPARAM, LPARAM);
    };
    static const FormHandler kFormHandlers[];
    LRESULT onClose(int form, WPARAM, LPARAM);
    LRESULT onEndSession(int form, WPARAM ending, LPARAM);
    LRESULT onCommand(int form, WPARAM wParam, LPARAM);
    LRESULT onTimer(int form, WPARAM, LPARAM);
    LRESULT onDrawItem(int form, WPARAM, LPARAM lParam);
    LRESULT onDropFiles(int form, WPARAM drop, LPARAM);
    int controlAt(const Form& f, POINT at);

    HINSTANCE instance_;
    HANDLE singleCopy_ = nullptr;
    char folder_[MAX_PATH] = {};
    Form forms_[kMaxForms];
    HFONT fonts_[kMaxFonts] = {};
    int32_t fontPoints_[kMaxFonts] = {};
    int32_t dpiX_ = 0, dpiY_ = 0;
    HMODULE dialogs_ = nullptr;  // COMDLG32, loaded when the file dialog is first wanted
    HMODULE shell_ = nullptr;    // SHELL32, loaded when files are first dropped
};
