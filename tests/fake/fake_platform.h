#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "../../src/platform/platform.h"

// Thrown by endNow(): the tool's code stops there, as the process would.
struct FakeEnded {};

std::string Str(const Text& t);

// An in-memory machine: a FAT-like file system that ignores case in names
// and answers them as stored, the forms runtime, dialogs and the screen.
class FakePlatform : public Platform {
public:
    enum Attr : unsigned { kHidden = 1, kSystem = 2, kReadOnly = 4, kFolder = 8 };
    enum class Op { FindFile, MakeFolder, CopyFile, MoveFile, DeleteFile, ClearAttributes, CheckReadable,
                    LoadPicture, Caption, SetCaption, SetFontSize, MoveControl, Other };

    struct Entry {
        std::string path;  // as stored
        std::string bytes;
        unsigned attrs = 0;
    };
    struct MessageBoxCall {
        std::string text;
        Buttons buttons;
        Icon icon;
        std::string title;
    };
    struct Picture {
        int32_t width = 0, height = 0;
        std::vector<uint8_t> bgr;
    };
    struct Control {
        std::string caption;
        bool enabled = true, visible = true;
        int32_t fontPoints = 0;
        PixelRect rect{};
        Picture picture;  // what a source box holds
        Picture drawn;    // what was drawn into a box
        int drawCount = 0;
    };
    struct Form {
        const FormDef* def = nullptr;
        FormEvents* events = nullptr;
        std::vector<Control> controls;
        PixelRect outer{};
        PixelRect loadedOuter{};  // as built from the definition
        bool loaded = false, shown = false, modal = false;
    };

    FakePlatform();

    // The machine
    void addFolder(const std::string& path, unsigned attrs = 0);
    void addFile(const std::string& path, const std::string& bytes, unsigned attrs = 0);
    bool exists(const std::string& path) const;
    std::string bytes(const std::string& path) const;
    const Entry* entry(const std::string& path) const;
    std::vector<std::string> list() const;  // every path, as stored
    void remove(const std::string& path);

    std::string windowsDirBytes = "C:\\WINDOWS";
    bool writesWindowsDir = true;
    std::string folder = "C:\\PLUMWICK";
    bool otherCopy = false;
    ScreenInfo screenInfo{96, 96, 1024, 768};
    int32_t frameWidth = 6, frameHeight = 25;  // outer minus client, pixels

    // Failures: a call of the given kind on a path containing `where` fails
    // with `number`; or the n-th failable call of any kind fails. For a font
    // size or a move, `where` names the control, as "cmdSansyou(1)" or
    // "Label3", and the error carries no path.
    void failOn(Op op, const std::string& where, int number);
    void failCall(long n, int number) { failAt_ = n; failNumber_ = number; }
    long failableCalls() const { return calls_; }
    bool injected() const { return injected_; }

    // Dialogs: answers are taken in order; without one, Yes or OK.
    std::vector<Answer> answers;
    std::vector<MessageBoxCall> boxes;
    std::function<void(const MessageBoxCall&)> onMessageBox;  // while the box is up
    std::vector<std::string> fileChoices;  // "" cancels
    std::vector<CommonDialog> dialogs;
    std::function<void(FormHandle)> whileModal;

    std::vector<Form> forms;
    Control& control(FormHandle form, int index) { return forms.at(form).controls.at(index); }
    std::vector<std::string> log;  // file operations, in order
    bool ended = false;

    // Platform
    Err findFile(const Text& path, FileQuery kind, Text* name) override;
    Err makeFolder(const Text& path) override;
    Err copyFile(const Text& from, const Text& to) override;
    Err moveFile(const Text& from, const Text& to) override;
    Err deleteFile(const Text& path) override;
    Err clearAttributes(const Text& path) override;
    Err checkReadable(const Text& path) override;
    bool samePath(const Text& a, const Text& b) override;
    bool anotherCopyRunning() override { return otherCopy; }
    Text toolFolder() override { return Text(folder.c_str()); }
    void getWindowsDirectory(char* buffer, uint32_t size) override;
    [[noreturn]] void endNow() override;
    bool readProfileString(const Text& section, const Text& key, const Text& file, Text* value) override;
    void writeProfileString(const Text& section, const Text& key, const Text& value,
                            const Text& file) override;
    ScreenInfo screen() override { return screenInfo; }
    Err loadForm(const FormDef& def, FormEvents* events, FormHandle* form) override;
    Err showForm(FormHandle form, bool modal) override;
    Err unloadForm(FormHandle form) override;
    Err formRect(FormHandle form, PixelRect* outer) override;
    Err moveForm(FormHandle form, const PixelRect& outer) override;
    Err setCaption(FormHandle form, int control, const Text& text) override;
    Err caption(FormHandle form, int control, Text* text) override;
    Err setEnabled(FormHandle form, int control, bool enabled) override;
    Err isEnabled(FormHandle form, int control, bool* enabled) override;
    Err setFontSize(FormHandle form, int control, int32_t points) override;
    Err moveControl(FormHandle form, int control, int32_t left, int32_t top, int32_t width,
                    int32_t height) override;
    Err loadPicture(FormHandle form, int control, const Text& path) override;
    Err pictureSize(FormHandle form, int control, int32_t* width, int32_t* height) override;
    Err readPictureRows(FormHandle form, int control, int32_t firstRow, int32_t rows, uint8_t* bgr) override;
    Err drawPicture(FormHandle form, int control, const uint8_t* bgr, int32_t width, int32_t height) override;
    Answer messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title) override;
    Err showOpen(CommonDialog& dialog) override;
    void run() override {}

private:
    struct Rule {
        Op op;
        std::string where;
        int number;
    };
    Err fault(Op op, const std::string& path, const std::string& other = "");
    Err controlFault(Op op, const Form& form, int index);
    Entry* find(const std::string& path);
    const Entry* find(const std::string& path) const;
    Err writable(const std::string& path);  // may a file be made at this path?
    Form* live(FormHandle form);

    std::map<std::string, Entry> entries_;  // key: folded path
    std::vector<Rule> rules_;
    long calls_ = 0, failAt_ = 0;
    int failNumber_ = kErrDeviceIO;
    bool injected_ = false;
};

// A 24-bit bottom-up bitmap file of the given size, every pixel from `pixel`.
std::string MakeBitmap(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& pixel);
