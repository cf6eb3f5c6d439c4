#pragma once
#include <stdint.h>

#include "text/messages.h"
#include "text/text.h"
#include "text/units.h"

// Windows are static definitions: a table of controls per window, built as
// stored when the window loads. Positions are stored in twips.
enum class ControlKind : uint8_t { Label, CommandButton, PictureBox, Image };

enum ControlFlag : uint16_t {
    kAutoSize = 1,       // the label's box fits its text on one line
    kCentered = 2,       // text centred in the box
    kDefaultButton = 4,  // Enter presses it
    kCancelButton = 8,   // Esc presses it
    kPathEllipsis = 16,  // a path: cut in the middle, its file name always seen
};

// A control is named by its id everywhere: in the window's table, in every
// call and event, and to the system.
struct ControlDef {
    int16_t id;
    ControlKind kind;
    int16_t left, top, width, height;
    TextId text;
    uint16_t flags;
    int8_t tab;  // focus order, or -1
};

using FormHandle = int;
constexpr FormHandle kNoForm = -1;
constexpr int kNoControl = -1;
constexpr int32_t kUnchanged = INT32_MIN;

struct FormDef {
    const char* name;
    TextId title;
    int16_t clientWidth, clientHeight;  // as designed, twips
    const ControlDef* controls;
    uint8_t count;
    bool takesDroppedFiles = false;  // files dragged from Explorer may be dropped on it
};

// What a window's code answers to. Load gets the new window's handle before
// any other call can name it.
class FormEvents {
public:
    virtual void Load(FormHandle self) = 0;
    virtual void Unload() = 0;
    virtual void Click(int control) = 0;
    virtual void Timer() {}
    // Files dropped on the window: on the control at the drop point, or
    // kNoControl; how many, and the first one's full path.
    virtual void FilesDropped(int /*control*/, uint32_t /*count*/, const Text& /*first*/) {}

protected:
    ~FormEvents() = default;
};
