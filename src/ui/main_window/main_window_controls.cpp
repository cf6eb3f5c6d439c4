#include "ui/main_window/main_window_controls.h"

namespace {
using K = ControlKind;

// In the order of Form1::Control; places in twips.
const ControlDef kControls[] = {
    {"Label1", 0, K::Label, 120, 120, 540, 180, kTxtStartup, kAutoSize, 4, 0},
    {"Label1", 1, K::Label, 120, 480, 540, 180, kTxtShutdown, kAutoSize, 5, 0},
    {"Label1", 2, K::Label, 120, 840, 690, 180, kTxtPowerOff, kAutoSize, 6, 0},
    {"cmdSansyou", 0, K::CommandButton, 960, 120, 615, 255, kTxtSet, 0, 0, 0},
    {"cmdSansyou", 1, K::CommandButton, 960, 480, 615, 255, kTxtSet, 0, 1, 0},
    {"cmdSansyou", 2, K::CommandButton, 960, 840, 615, 255, kTxtSet, 0, 2, 0},
    {"lblLogo", 0, K::Label, 1680, 120, 540, 180, kTxtStoredPath, kAutoSize, 20, 0},
    {"lblLogo", 1, K::Label, 1680, 480, 540, 180, kTxtStoredPath, kAutoSize, 21, 0},
    {"lblLogo", 2, K::Label, 1680, 840, 540, 180, kTxtStoredPath, kAutoSize, 22, 0},
    {"Label2", 0, K::Label, 240, 1320, 1455, 255, kTxtStartupLogo, kCentered, 9, 0},
    {"Label2", 1, K::Label, 1800, 1320, 1455, 255, kTxtShutdownLogo, kCentered, 10, 0},
    {"Label2", 2, K::Label, 3360, 1320, 1455, 255, kTxtPowerOffLogo, kCentered, 11, 0},
    {"picPreView", 0, K::PictureBox, 240, 1560, 1440, 900, kTxtEmpty, 0, 3, 0},
    {"picPreView", 1, K::PictureBox, 1800, 1560, 1440, 900, kTxtEmpty, 0, 7, 0},
    {"picPreView", 2, K::PictureBox, 3360, 1560, 1440, 900, kTxtEmpty, 0, 8, 0},
    {"picMoto", 0, K::PictureBox, 120, 1440, 255, 495, kTxtEmpty, kHidden, 12, 0},
    {"picMoto", 1, K::PictureBox, 1680, 1440, 255, 495, kTxtEmpty, kHidden, 13, 0},
    {"picMoto", 2, K::PictureBox, 3240, 1440, 255, 495, kTxtEmpty, kHidden, 14, 0},
    {"Label3", -1, K::Label, 120, 2520, 4815, 255, kTxtFormatNote, kCentered, 18, 0},
    {"cmdHint", -1, K::CommandButton, 120, 2880, 1815, 375, kTxtHowToMake, 0, 19, 0},
    {"cmdDflt", -1, K::CommandButton, 2040, 2880, 855, 375, kTxtDefault, 0, 17, 0},
    {"cmdOK", -1, K::CommandButton, 3000, 2880, 855, 375, kTxtOK, kDefaultButton, 15, 0},
    {"cmdCancel", -1, K::CommandButton, 3960, 2880, 855, 375, kTxtCancel, kCancelButton, 16, 0},
    {"CommonDialog1", -1, K::FileDialog, 0, 0, 0, 0, kTxtEmpty, kHidden, -1, 0},
};
static_assert(sizeof kControls / sizeof kControls[0] == Form1::kControlCount,
              "one row per control");
}

const FormDef Form1::kDefinition = {"Form1", kTxtAppTitle, 5085, 3435, kControls, Form1::kControlCount};
