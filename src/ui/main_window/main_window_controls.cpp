#include "ui/main_window/main_window.h"

namespace {
using K = ControlKind;
using namespace MainControl;

// Places in twips; the window's opening moves them to their pixel places.
// Tab goes as one reads: the three 設定 buttons, then the bottom row from
// left to right.
const ControlDef kControls[] = {
    {SlotName + 0, K::Label, 120, 120, 540, 180, kTxtStartup, kAutoSize, 10},
    {SlotName + 1, K::Label, 120, 480, 540, 180, kTxtShutdown, kAutoSize, 11},
    {SlotName + 2, K::Label, 120, 840, 690, 180, kTxtPowerOff, kAutoSize, 12},
    {ChooseButton + 0, K::CommandButton, 1080, 120, 615, 255, kTxtSet, 0, 0},
    {ChooseButton + 1, K::CommandButton, 1080, 480, 615, 255, kTxtSet, 0, 1},
    {ChooseButton + 2, K::CommandButton, 1080, 840, 615, 255, kTxtSet, 0, 2},
    {ChosenPath + 0, K::Label, 1800, 120, 3180, 255, kTxtEmpty, kPathEllipsis, 17},
    {ChosenPath + 1, K::Label, 1800, 480, 3180, 255, kTxtEmpty, kPathEllipsis, 18},
    {ChosenPath + 2, K::Label, 1800, 840, 3180, 255, kTxtEmpty, kPathEllipsis, 19},
    {PreviewTitle + 0, K::Label, 240, 1320, 1455, 255, kTxtStartupLogo, kCentered, 13},
    {PreviewTitle + 1, K::Label, 1800, 1320, 1455, 255, kTxtShutdownLogo, kCentered, 14},
    {PreviewTitle + 2, K::Label, 3360, 1320, 1455, 255, kTxtPowerOffLogo, kCentered, 15},
    {Preview + 0, K::PictureBox, 240, 1560, 1440, 900, kTxtEmpty, 0, 7},
    {Preview + 1, K::PictureBox, 1800, 1560, 1440, 900, kTxtEmpty, 0, 8},
    {Preview + 2, K::PictureBox, 3360, 1560, 1440, 900, kTxtEmpty, 0, 9},
    {FormatNote, K::Label, 120, 2520, 4815, 255, kTxtFormatNote, kCentered, 16},
    {HowToButton, K::CommandButton, 120, 2880, 1815, 375, kTxtHowToMake, 0, 3},
    {RestoreButton, K::CommandButton, 2040, 2880, 855, 375, kTxtDefault, 0, 4},
    {OkButton, K::CommandButton, 3000, 2880, 855, 375, kTxtOK, kDefaultButton, 5},
    {CancelButton, K::CommandButton, 3960, 2880, 855, 375, kTxtCancel, kCancelButton, 6},
};
}

const FormDef kMainWindowDef = {
    "main window", kTxtAppTitle, 5085, 3435, kControls, sizeof kControls / sizeof kControls[0], true};
