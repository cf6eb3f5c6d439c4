#pragma once
#include "platform/forms.h"
#include "text/errors.h"
#include "text/units.h"

enum class Buttons { Ok, YesNo, YesNoDefaultNo };
enum class Icon { Question, Critical, Information };
enum class Answer { Ok, Yes, No };

// What the file-open dialog shows, and the file chosen in it: the dialog
// opens on `chosen` if there is one, else in `folder`.
struct OpenFileRequest {
    Text filter;  // description|pattern pairs
    Text folder;
    Text chosen;
};

// Everything the tool asks of the operating system and its forms runtime
// but its files (FileSystem).
class Platform {
public:
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
