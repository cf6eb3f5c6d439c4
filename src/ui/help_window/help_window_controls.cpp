#include "resources/resource.h"
#include "ui/help_window/help_window.h"

namespace {
using K = ControlKind;

// In the order of Form2::Control; places in twips.
const ControlDef kControls[] = {
    {"Label1", -1, K::Label, 120, 120, 5055, 420, kTxtHelpSystems, 0, 0, 0},
    {"Label2", -1, K::Label, 120, 720, 5055, 975, kTxtHelpMethod, 0, 1, 0},
    {"Label3", -1, K::Label, 600, 1920, 1725, 180, kTxtHelpWide, kAutoSize, 2, 0},
    {"Label4", -1, K::Label, 3000, 1920, 1725, 180, kTxtHelpSqueezed, kAutoSize, 3, 0},
    {"Image1", -1, K::Image, 720, 2280, 1440, 900, kTxtEmpty, 0, -1, IDR_IMAGE1},
    {"Image2", -1, K::Image, 3480, 2280, 720, 900, kTxtEmpty, 0, -1, IDR_IMAGE2},
};
static_assert(sizeof kControls / sizeof kControls[0] == Form2::kControlCount, "one row per control");
}

const FormDef Form2::kDefinition = {"Form2", kTxtHelpTitle, 5325, 3450, kControls,
                                    Form2::kControlCount};
