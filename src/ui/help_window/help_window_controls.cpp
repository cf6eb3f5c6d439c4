#include "ui/help_window/help_window.h"

namespace {
using K = ControlKind;
using namespace HelpControl;

// Places in twips; the pictures take the size of their samples.
const ControlDef kControls[] = {
    {Systems, K::Label, 120, 120, 5055, 420, kTxtHelpSystems, 0, 0},
    {Method, K::Label, 120, 720, 5055, 975, kTxtHelpMethod, 0, 1},
    {WideCaption, K::Label, 600, 1920, 1725, 180, kTxtHelpWide, kAutoSize, 2},
    {SqueezedCaption, K::Label, 3000, 1920, 1725, 180, kTxtHelpSqueezed, kAutoSize, 3},
    {WidePicture, K::Image, 720, 2280, 1440, 900, kTxtEmpty, 0, -1},
    {SqueezedPicture, K::Image, 3480, 2280, 720, 900, kTxtEmpty, 0, -1},
};
}

const FormDef kHelpWindowDef = {"help window", kTxtHelpTitle, 5325,
                                3450,          kControls,     sizeof kControls / sizeof kControls[0]};
