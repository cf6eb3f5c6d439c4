#pragma once
#include "platform/forms.h"
#include "text/errors.h"
#include "text/units.h"

enum class FileQuery {
    Directory,  // files and folders, but nothing hidden or system
    AnyFile,    // every file, hidden, system and read-only ones too; no folders
};

enum class Buttons { Ok, YesNo };
enum class Icon { Question, Critical, Information };
enum class Answer { Ok, Yes, No };

// What the file-open dialog shows, and the file chosen in it: the dialog
// opens on `chosen` if there is one, else in `folder`.
struct OpenFileRequest {
    Text filter;  // description|pattern pairs
    Text folder;
    Text chosen;
};

// Told each file a folder holds.
class FileNames {
public:
    virtual void found(const Text& name) = 0;

protected:
    ~FileNames() = default;
};

// Everything the tool asks of the operating system and its forms runtime.
class Platform {
public:
    // Files
    virtual Err findFile(const Text& path, FileQuery kind, Text* name) = 0;
    virtual Err makeFolder(const Text& path) = 0;
    virtual Err copyFile(const Text& from, const Text& to) = 0;
    virtual Err moveFile(const Text& from, const Text& to) = 0;
    virtual Err deleteFile(const Text& path) = 0;
    virtual Err clearAttributes(const Text& path) = 0;
    virtual Err checkReadable(const Text& path) = 0;
    // A whole file of at most maxSize bytes, in a new[] buffer the caller
    // deletes; a larger one is kErrInvalidPicture, as only pictures are read.
    virtual Err readFile(const Text& path, uint32_t maxSize, uint8_t** data, uint32_t* size) = 0;
    // A new file; one that exists is kErrFileExists and stays untouched.
    virtual Err writeNewFile(const Text& path, const uint8_t* data, uint32_t size) = 0;
    // The file's name without its folder and extension.
    virtual Text fileTitle(const Text& path) = 0;
    // The full path of a path given relative to the current folder.
    virtual Text fullPath(const Text& path) = 0;
    // Every file (no folder) in the folder, each name as stored; a folder
    // that is not there holds none.
    virtual Err listFiles(const Text& folder, FileNames& names) = 0;

    // Process
    // What the tool was started with, after its own name.
    virtual Text commandLine() = 0;
    // Different at every start: the time of day and the tick count.
    virtual uint32_t randomSeed() = 0;
    virtual bool anotherCopyRunning() = 0;
    virtual Text toolFolder() = 0;
    virtual uint32_t codePage() = 0;  // the system's ANSI code page
    // Empty when the system gives none.
    virtual Text windowsDirectory() = 0;
    [[noreturn]] virtual void endNow() = 0;

    // Settings file
    virtual bool readProfileString(const Text& section, const Text& key, const Text& file, Text* value) = 0;
    virtual void writeProfileString(const Text& section, const Text& key, const Text& value, const Text& file) = 0;

    // Screen
    virtual ScreenInfo screen() = 0;

    // Windows and controls
    virtual Err loadForm(const FormDef& def, FormEvents* events, FormHandle* form) = 0;
    virtual Err showForm(FormHandle form, bool modal) = 0;
    virtual Err unloadForm(FormHandle form) = 0;
    virtual Err formRect(FormHandle form, PixelRect* outer) = 0;
    virtual Err moveForm(FormHandle form, const PixelRect& outer) = 0;
    virtual Err setCaption(FormHandle form, int control, const Text& text) = 0;
    virtual Err setEnabled(FormHandle form, int control, bool enabled) = 0;
    // Raises the window's Timer event every so many milliseconds; 0 stops it.
    virtual Err setTimer(FormHandle form, uint32_t milliseconds) = 0;
    virtual Err setFontSize(FormHandle form, int control, int32_t points) = 0;
    virtual Err moveControl(FormHandle form, int control, int32_t left, int32_t top, int32_t width = kUnchanged,
                            int32_t height = kUnchanged) = 0;

    // Shows finished pixels (blue, green, red, top row first) in a picture
    // box or an image, from its top-left corner.
    virtual Err drawPicture(FormHandle form, int control, const uint8_t* bgr, int32_t width, int32_t height) = 0;
    // A picture built into the tool, as the bytes of its bitmap file.
    virtual Err resource(uint16_t id, const uint8_t** data, uint32_t* size) = 0;

    // Dialogs
    virtual Answer messageBox(const Text& text, Buttons buttons, Icon icon, const Text& title) = 0;
    // The chosen file goes to request.chosen; a cancel is kErrCancelled.
    virtual Err showOpen(OpenFileRequest& request) = 0;

    // The wait cursor while the tool works on, and the usual one again.
    virtual void showBusy(bool busy) = 0;

    // Runs the windows until the tool ends.
    virtual void run() = 0;

protected:
    ~Platform() = default;
};
