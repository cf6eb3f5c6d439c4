#pragma once

// The id of every control of both windows, as the system knows them. A row
// of three, one per logo slot, takes three ids from its first: start-up,
// shutdown, power-off. The end-to-end tests read the ids from this file.
namespace MainControl {
enum : int {
    SlotName = 100,      // 100-102: 起動時, 終了時, 電源切る
    ChooseButton = 103,  // 103-105: 設定
    ChosenPath = 106,    // 106-108: the chosen file's path
    PreviewTitle = 109,  // 109-111
    Preview = 112,       // 112-114: the 96 x 60 previews
    FormatNote = 115,
    HowToButton = 116,
    RestoreButton = 117,
    OkButton = 118,
    CancelButton = 119,
};
}

namespace HelpControl {
enum : int {
    Systems = 100,
    Method = 101,
    WideCaption = 102,
    SqueezedCaption = 103,
    WidePicture = 104,
    SqueezedPicture = 105,
};
}
