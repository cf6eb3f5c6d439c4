#include "../resources/resource.h"
#include "help_window.h"

namespace {
using K = ControlKind;

// In the order of Form2::Control; places in twips.
const ControlDef kControls[] = {
    {"Label1", -1, K::Label, 120, 120, 5055, 420,
     "Windoiws98、及びWindows95のPC AT互換機の場合に、このソフトを御使用になれます｡", 0, 0, 0},
    {"Label2", -1, K::Label, 120, 720, 5055, 975,
     "ロゴファイルは、縦320×横400ドット×256色のビットマップファイルという約束になっています。"
     "起動時や終了時には、これを640×400ドット（つまり、横2倍）に引き伸ばしています。"
     "ですから、最初に640×400ドット×256色の.bmp画像をつくり、適当な画像処理系ソフトを利用して、"
     "横を半分に縮小してやればよいのです。",
     0, 1, 0},
    {"Label3", -1, K::Label, 600, 1920, 1725, 180, "640×400ドット×256色", kAutoSize, 2, 0},
    {"Label4", -1, K::Label, 3000, 1920, 1725, 180, "320×400ドット×256色", kAutoSize, 3, 0},
    {"Image1", -1, K::Image, 720, 2280, 1440, 900, "", 0, -1, IDR_IMAGE1},
    {"Image2", -1, K::Image, 3480, 2280, 720, 900, "", 0, -1, IDR_IMAGE2},
};
static_assert(sizeof kControls / sizeof kControls[0] == Form2::kControlCount, "one row per control");
}

const FormDef Form2::kDefinition = {"Form2", "ロゴファイルのつくり方だよ～ん", 5325, 3450, kControls,
                                    Form2::kControlCount};
