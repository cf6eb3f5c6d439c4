#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/platform.h"

// Thrown by endNow(): the tool's code stops there, as the process would.
struct FakeEnded {};

inline std::string Str(const Text& t) { return std::string(t.c_str(), t.size()); }

// An in-memory machine: a FAT-like disk that ignores case in names and
// answers them as stored, the forms runtime, the settings file, dialogs.
class FakePlatform : public Platform, public FileSystem {
public:
    enum Attr : unsigned { kReadOnly = kAttrReadOnly, kHidden = kAttrHidden, kSystem = kAttrSystem, kArchive = kAttrArchive, kFolder = 0x10 };
    enum class Op { CopyFile, ReadFile, SetCaption, CheckReadable, Other };
    // clang-format off
    struct Entry { std::string path, bytes; unsigned attrs = 0; };  // path as stored
    struct Box { std::string text; Buttons buttons; Icon icon; std::string title; };
    struct Picture { int32_t width = 0, height = 0; std::vector<uint8_t> bgr; };  // as drawn
    struct Control { std::string caption; bool enabled = true; PixelRect place{}; Picture drawn; int draws = 0; };
    struct Form { const FormDef* def; FormEvents* events; std::map<int, Control> controls; PixelRect outer; bool loaded = true, shown = false, modal = false; };
    // clang-format on

    FakePlatform() { addFolder("C:\\"), addFolder("C:\\WINDOWS"), addFolder("C:\\PLUMWICK"); }
    static std::string Fold(std::string path);  // FAT ignores case in names
    void addFolder(const std::string& path, unsigned attrs = 0) { addFile(path, "", attrs | kFolder); }
    void addFile(const std::string& path, const std::string& bytes, unsigned attrs = 0) { files[Fold(path)] = {path, bytes, attrs}; }
    void remove(const std::string& path) { files.erase(Fold(path)); }
    const Entry* entry(const std::string& path) const
    {
        auto it = files.find(Fold(path));
        return it == files.end() ? nullptr : &it->second;
    }
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
    std::string arguments;                   // the command line after the tool's name
    std::string currentFolder = "C:\\WORK";  // where relative paths start
    uint32_t seed = 1;
    bool busy = false;                     // the wait cursor
    std::vector<std::string> writtenBusy;  // files written while it showed
    ScreenInfo screenInfo{96, 96, 1024, 768, 25};
    uint32_t acp = 932;
    std::string windowsDir = "C:\\WINDOWS";
    uint32_t timer = 0;                          // milliseconds, 0 when stopped
    std::map<std::string, std::string> profile;  // "file|section|key", folded
    std::map<uint16_t, std::string> resources;
    std::vector<Answer> answers;  // taken in order; then Yes or OK
    std::vector<Box> boxes;
    std::function<void()> onMessageBox;     // while the box is up
    std::vector<std::string> fileChoices;   // "" cancels
    std::vector<OpenFileRequest> requests;  // as the tool set them up
    std::function<void(FormHandle)> whileModal;
    std::vector<Form> forms;
    Control& control(FormHandle form, int id) { return forms.at(form).controls.at(id); }

    Err findFile(const Text& path, FileQuery kind, Text* name) override;
    Err makeFolder(const Text& path) override;
    Err removeFolder(const Text& path) override;
    Err copyFile(const Text& from, const Text& to) override;
    Err moveFile(const Text& from, const Text& to) override;
    Err deleteFile(const Text& path) override;
    Err attributes(const Text& path, uint32_t* bits) override;
    Err setAttributes(const Text& path, uint32_t bits) override;
    Err checkReadable(const Text& path) override;
    Err readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size) override;
    Err openFile(const Text& path, ByteSource** file) override;
    Err writeNewFile(const Text& path, const uint8_t* data, uint32_t size) override;
    Text fileTitle(const Text& path) override;
    Text fullPath(const Text& path) override;
    Err listFiles(const Text& folder, FileNames& names) override;
    Text commandLine() override { return arguments.c_str(); }
    uint32_t randomSeed() override { return seed; }
    bool anotherCopyRunning() override { return otherCopy; }
    Text toolFolder() override { return "C:\\PLUMWICK"; }
    Text windowsDirectory() override { return windowsDir.c_str(); }
    uint32_t codePage() override { return acp; }
    [[noreturn]] void endNow() override { throw FakeEnded{}; }
    bool readProfileString(const Text& section, const Text& key, const Text& file, Text* value) override;
    void writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file) override;
    ScreenInfo screen() override { return screenInfo; }
    Err loadForm(const FormDef& def, FormEvents* events, FormHandle* form) override;
    Err showForm(FormHandle f, bool modal) override;
    Err unloadForm(FormHandle f) override;
    Err formRect(FormHandle f, PixelRect* r) override
    {
        return Live(f, [&] { *r = forms[f].outer; });
    }
    Err moveForm(FormHandle f, const PixelRect& r) override
    {
        return Live(f, [&] { forms[f].outer = r; });
    }
    Err setCaption(FormHandle f, int id, const Text& text) override;
    Err setEnabled(FormHandle f, int id, bool on) override
    {
        return Live(f, [&] { control(f, id).enabled = on; });
    }
    Err setTimer(FormHandle f, uint32_t ms) override
    {
        return Live(f, [&] { timer = ms; });
    }
    Err setFontSize(FormHandle f, int, int32_t) override
    {
        return Live(f, [] {});
    }
    Err moveControl(FormHandle f, int id, int32_t left, int32_t top, int32_t width, int32_t height) override;
    Err drawPicture(FormHandle f, int id, const uint8_t* bgr, int32_t w, int32_t h) override;
    Err resource(uint16_t id, const uint8_t** data, uint32_t* size) override;
    Answer messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title) override;
    Err showOpen(OpenFileRequest& request) override;
    void showBusy(bool on) override { busy = on; }
    void run() override {}

private:
    struct Rule {
        Op op;
        std::string where;
        int number;
    };
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
