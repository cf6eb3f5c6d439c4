#pragma once
#include "logo_files/run_state.h"

namespace Form1 {
enum Control : int {
    kLabel1_0, kLabel1_1, kLabel1_2,
    kCmdSansyou0, kCmdSansyou1, kCmdSansyou2,
    kLblLogo0, kLblLogo1, kLblLogo2,
    kLabel2_0, kLabel2_1, kLabel2_2,
    kPicPreView0, kPicPreView1, kPicPreView2,
    kPicMoto0, kPicMoto1, kPicMoto2,
    Label3, cmdHint, cmdDflt, cmdOK, cmdCancel, CommonDialog1,
    kControlCount
};

constexpr int Label1(int i) { return kLabel1_0 + i; }
constexpr int cmdSansyou(int i) { return kCmdSansyou0 + i; }
constexpr int lblLogo(int i) { return kLblLogo0 + i; }
constexpr int Label2(int i) { return kLabel2_0 + i; }
constexpr int picPreView(int i) { return kPicPreView0 + i; }
constexpr int picMoto(int i) { return kPicMoto0 + i; }

extern const FormDef kDefinition;
}

