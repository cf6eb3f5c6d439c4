#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

// Thrown by endNow(): the tool's code stops there, as the process would.
struct FakeEnded {};

inline std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

// An in-memory machine: a FAT-like disk that ignores case in names and
// answers them as stored, the forms runtime, the settings file, dialogs.
class FakePlatform : public Platform {
public:
    enum Attr : unsigned { kHidden = 1, kSystem = 2, kReadOnly = 4, kFolder = 8 };
    enum class Op { CopyFile, LoadPicture, SetCaption, CheckReadable, Other };
    struct Entry { std::string path, bytes; unsigned attrs = 0; };  // path as stored
    struct Box { std::string text; Buttons buttons; Icon icon; std::string title; };
    struct Picture { int32_t width = 0, height = 0; std::vector<uint8_t> bgr; };
    struct Control { std::string caption; bool enabled = true; Picture picture, drawn; int draws = 0; };  // held; drawn into it
    struct Form { const FormDef* def; FormEvents* events; std::vector<Control> controls; PixelRect outer; bool loaded = true, shown = false, modal = false; };

    FakePlatform() { addFolder("C:\\"), addFolder("C:\\WINDOWS"), addFolder("C:\\PLUMWICK"); }
    static std::string Fold(std::string path);  // FAT ignores case in names
    void addFolder(const std::string& path, unsigned attrs = 0) { addFile(path, "", attrs | kFolder); }
    void addFile(const std::string& path, const std::string& bytes, unsigned attrs = 0) { files[Fold(path)] = {path, bytes, attrs}; }
    void remove(const std::string& path) { files.erase(Fold(path)); }
    const Entry* entry(const std::string& path) const { auto it = files.find(Fold(path)); return it == files.end() ? nullptr : &it->second; }
    bool exists(const std::string& path) const { return entry(path) != nullptr; }
    bool isFile(const Text& path) const { return exists(Str(path)) && !(entry(Str(path))->attrs & kFolder); }
    std::string bytes(const std::string& path) const { return exists(path) ? entry(path)->bytes : ""; }
    std::map<std::string, Entry> files;  // key: the folded path

    // A call of kind `op` on a path containing `where` fails with `number`;
    // failCall(n) makes the n-th failable call of any kind fail.
    void failOn(Op op, const std::string& where, int number) { rules_.push_back({op, where, number}); }
    void failCall(long n, int number) { failAt_ = n, failNumber_ = number; }
    long calls = 0;  // failable calls so far
    bool injected = false;

    bool otherCopy = false;
    ScreenInfo screenInfo{96, 96, 1024, 768, 25};
    uint32_t acp = 932;
    std::string windowsDir = "C:\\WINDOWS";
    uint32_t timer = 0;  // milliseconds, 0 when stopped
    std::map<std::string, std::string> profile;  // "file|section|key", folded
    std::vector<Answer> answers;                 // taken in order; then Yes or OK
    std::vector<Box> boxes;
    std::function<void()> onMessageBox;    // while the box is up
    std::vector<std::string> fileChoices;  // "" cancels
    std::vector<CommonDialog> dialogs;     // as the tool set them up
    std::function<void(FormHandle)> whileModal;
    std::vector<Form> forms;
    Control& control(FormHandle form, int index) { return forms.at(form).controls.at(index); }

    Err findFile(const Text& path, FileQuery kind, Text* name) override;
    Err makeFolder(const Text& path) override
    {
        PLUMWICK_TRY(fault(Op::Other, Str(path)));
        if (exists(Str(path))) return Err(kErrPathFileAccess, path);
        PLUMWICK_TRY(writable(Str(path)));
        addFolder(Str(path));
        return Err();
    }
    Err copyFile(const Text& from, const Text& to) override;
    Err moveFile(const Text& from, const Text& to) override
    {
        PLUMWICK_TRY(fault(Op::Other, Str(from), Str(to)));
        if (!exists(Str(from))) return Err(kErrFileNotFound, from);
        if (exists(Str(to))) return Err(kErrFileExists, to);
        PLUMWICK_TRY(writable(Str(to)));
        Entry moved = *entry(Str(from));
        remove(Str(from));
        addFile(Str(to), moved.bytes, moved.attrs);
        return Err();
    }
    Err deleteFile(const Text& path) override
    {
        PLUMWICK_TRY(fault(Op::Other, Str(path)));
        if (!isFile(path)) return Err(kErrFileNotFound, path);
        if (entry(Str(path))->attrs & kReadOnly) return Err(kErrPathFileAccess, path);
        remove(Str(path));
        return Err();
    }
    Err clearAttributes(const Text& path) override
    {
        PLUMWICK_TRY(fault(Op::Other, Str(path)));
        if (!exists(Str(path))) return Err(kErrFileNotFound, path);
        files[Fold(Str(path))].attrs &= kFolder;
        return Err();
    }
    Err checkReadable(const Text& path) override
    {
        PLUMWICK_TRY(fault(Op::CheckReadable, Str(path)));
        return isFile(path) ? Err() : Err(kErrFileNotFound, path);
    }
    Err readFile(const Text& path, uint8_t** data, uint32_t* size) override
    {
        PLUMWICK_TRY(fault(Op::Other, Str(path)));
        if (!isFile(path)) return Err(kErrFileNotFound, path);
        const std::string& b = entry(Str(path))->bytes;
        *data = new uint8_t[b.size() + 1], *size = uint32_t(b.size());
        std::copy(b.begin(), b.end(), *data);
        return Err();
    }
    Err writeNewFile(const Text& path, const uint8_t* data, uint32_t size) override
    {
        PLUMWICK_TRY(fault(Op::CopyFile, Str(path)));
        if (exists(Str(path))) return Err(kErrFileExists, path);
        PLUMWICK_TRY(writable(Str(path)));
        addFile(Str(path), std::string(data, data + size));
        return Err();
    }
    Text fileTitle(const Text& path) override
    {
        std::string name = Str(path).substr(Str(path).rfind('\\') + 1);
        return name.substr(0, name.rfind('.') == 0 ? name.size() : name.rfind('.')).c_str();
    }
    bool anotherCopyRunning() override { return otherCopy; }
    Text toolFolder() override { return "C:\\PLUMWICK"; }
    Text windowsDirectory() override { return windowsDir.c_str(); }
    uint32_t codePage() override { return acp; }
    [[noreturn]] void endNow() override { throw FakeEnded{}; }
    bool readProfileString(const Text& section, const Text& key, const Text& file, Text* value) override
    {
        auto it = profile.find(Fold(Str(file) + "|" + Str(section) + "|" + Str(key)));
        if (it != profile.end()) *value = it->second.c_str();
        return it != profile.end();
    }
    // A folder that cannot be written is ignored, as the real call's answer is.
    void writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file) override
    {
        if (!writable(Str(file))) profile[Fold(Str(file) + "|" + Str(section) + "|" + Str(key))] = Str(value);
    }
    ScreenInfo screen() override { return screenInfo; }
    Err loadForm(const FormDef& def, FormEvents* events, FormHandle* form) override;
    // A modal form is up while whileModal runs, then closed.
    Err showForm(FormHandle f, bool modal) override
    {
        PLUMWICK_TRY(Live(f, [&] { forms[f].shown = true, forms[f].modal = modal; }));
        if (modal && whileModal) whileModal(f);
        return modal && forms[f].loaded ? unloadForm(f) : Err();
    }
    Err unloadForm(FormHandle f) override
    {
        PLUMWICK_TRY(Live(f, [&] { forms[f].events->Unload(); }));
        forms[f].loaded = forms[f].shown = false;
        return Err();
    }
    Err formRect(FormHandle f, PixelRect* r) override { return Live(f, [&] { *r = forms[f].outer; }); }
    Err moveForm(FormHandle f, const PixelRect& r) override { return Live(f, [&] { forms[f].outer = r; }); }
    // A changed caption raises Change before the call returns.
    Err setCaption(FormHandle f, int i, const Text& text) override
    {
        PLUMWICK_TRY(fault(Op::SetCaption, Str(text)));
        PLUMWICK_TRY(Live(f, [] {}));
        if (control(f, i).caption != Str(text)) control(f, i).caption = Str(text), forms[f].events->Change(i);
        return Err();
    }
    Err caption(FormHandle f, int i, Text* text) override
    {
        PLUMWICK_TRY(fault(Op::Other, ""));
        return Live(f, [&] { *text = control(f, i).caption.c_str(); });
    }
    Err setEnabled(FormHandle f, int i, bool on) override { return Live(f, [&] { control(f, i).enabled = on; }); }
    Err isEnabled(FormHandle f, int i, bool* on) override { return Live(f, [&] { *on = control(f, i).enabled; }); }
    Err setTimer(FormHandle f, uint32_t ms) override { return Live(f, [&] { timer = ms; }); }
    Err setFontSize(FormHandle f, int, int32_t) override { return Live(f, [] {}); }
    Err moveControl(FormHandle f, int, int32_t, int32_t, int32_t, int32_t) override { return Live(f, [] {}); }
    Err loadPicture(FormHandle form, int control, const Text& path) override;
    Err pictureSize(FormHandle f, int i, int32_t* w, int32_t* h) override
    {
        return Live(f, [&] { *w = control(f, i).picture.width, *h = control(f, i).picture.height; });
    }
    Err readPictureRows(FormHandle f, int i, int32_t first, int32_t rows, uint8_t* bgr) override
    {
        PLUMWICK_TRY(Live(f, [] {}));
        const Picture& p = control(f, i).picture;
        if (first < 0 || first + rows > p.height) return Err(kErrInvalidCall);
        std::copy_n(p.bgr.begin() + size_t(first) * p.width * 3, size_t(rows) * p.width * 3, bgr);
        return Err();
    }
    Err drawPicture(FormHandle f, int i, const uint8_t* bgr, int32_t w, int32_t h) override
    {
        return Live(f, [&] { control(f, i).drawn = {w, h, std::vector<uint8_t>(bgr, bgr + size_t(w) * h * 3)}, ++control(f, i).draws; });
    }
    Answer messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title) override
    {
        boxes.push_back({Str(text), buttons, icon, Str(title)});
        if (onMessageBox) onMessageBox();
        Answer a = answers.empty() ? (buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok) : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        return a;
    }
    Err showOpen(CommonDialog& dialog) override
    {
        dialogs.push_back(dialog);
        std::string choice = fileChoices.empty() ? "" : fileChoices.front();
        if (!fileChoices.empty()) fileChoices.erase(fileChoices.begin());
        if (choice.empty()) return dialog.CancelError ? Err(kErrCancelled) : Err();
        dialog.FileName = choice.c_str();
        return Err();
    }
    void run() override {}

private:
    struct Rule { Op op; std::string where; int number; };
    Err fault(Op op, const std::string& path, const std::string& other = "");
    Err writable(const std::string& path) const;  // may a file be made here?
    template <typename F>
    Err Live(FormHandle form, F&& step)  // runs the step on a loaded form
    {
        if (form < 0 || size_t(form) >= forms.size() || !forms[form].loaded) return Err(kErrInvalidCall);
        step();
        return Err();
    }
    std::vector<Rule> rules_;
    long failAt_ = 0;
    int failNumber_ = 0;
};

// A 24-bit bottom-up bitmap file, pixel(x, y) giving 0xRRGGBB.
std::string MakeBitmap(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& pixel);
