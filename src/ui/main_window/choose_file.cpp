#include "logo_files/logo_copy.h"
#include "picture/make_logo.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/previews.h"

namespace {
void Report(Tool& t, const Err& e) { ShowAndGoOn(t, e, TextOf(kTxtPreviewError)); }

// "640 x 480, 24-bit colour" or "640 x 480, JPEG", in the user's language.
Text Described(const PictureShape& s)
{
    Text text = Text::number(s.width) + TextOf(kTxtTimes) + Text::number(s.height) + TextOf(kTxtListComma);
    switch (s.kind) {
    case PictureKind::Jpeg: return text + "JPEG";
    case PictureKind::Png: return text + "PNG";
    case PictureKind::Gif: return text + "GIF";
    case PictureKind::Bitmap: break;
    }
    switch (s.bitCount) {
    case 1: text += TextOf(kTxtColours2); break;
    case 4: text += TextOf(kTxtColours16); break;
    case 8: text += TextOf(kTxtColours256); break;
    default: text += Text::number(s.bitCount) + TextOf(kTxtBitColour);
    }
    if (s.compressed) text += Text(TextOf(kTxtListComma)) + TextOf(kTxtCompressed);
    return text;
}

// What a chosen file is: a logo as Windows shows it, a bitmap to make one
// of, or none, and why not. It is judged by the one reading that previews
// it, which draws nothing of a file it refuses.
struct Verdict {
    Text whyNot;  // empty for a bitmap
    bool logo = false;
    PictureShape summary{};
};

Verdict Judge(MainWindow& w, LogoSlot slot, const Text& path)
{
    PictureVerdict found;
    const Err e = PreviewFile(w, slot, path, &found);
    Verdict v;
    v.logo = found.logo;
    v.summary = found.summary;
    if (e) v.whyNot = WhyNotAPicture(w.tool.machine.files, path, e, found);
    return v;
}

// The file judged and previewed becomes the slot's choice; if its label
// cannot show it, the preview goes back to what the slot had.
void Take(MainWindow& w, LogoSlot slot, const Text& path, bool shownAsLogo)
{
    if (!SetChoice(w, slot, path, shownAsLogo)) return;
    const Text& kept = w.chosen[slot];
    if (kept.empty())
        PreviewInstalledLogo(w, slot, Report);
    else
        Report(w.tool, PreviewFile(w, slot, kept));
}

// A picture that Windows would not show as a logo: the user may have a logo
// made of it, which then becomes the choice; or keep it, and OK asks.
void Offer(MainWindow& w, LogoSlot slot, const Text& chosen, const Verdict& v)
{
    Platform& p = w.tool.platform;
    Text question = Text(TextOf(kTxtPictureIs)) + Described(v.summary) + TextOf(kTxtSentenceEnd) + "\r\n" +
                    TextOf(kTxtLogoNeeds) + "\r\n\r\n" + TextOf(kTxtMakeLogo);
    if (p.messageBox(question, Buttons::YesNo, Icon::Question, TextOf(kTxtAppTitle)) != Answer::Yes) {
        Take(w, slot, chosen, false);
        return;
    }
    // Only the start-up logo moves: the band is offered for it alone, and
    // is not made unless asked for.
    const Band band = BottomBand();
    const bool banded = slot == kStartupSlot && p.messageBox(TextOf(kTxtAddBand), Buttons::YesNoDefaultNo,
                                                             Icon::Question, TextOf(kTxtAppTitle)) == Answer::Yes;
    Text copy;
    p.showBusy(true);  // on a 486 the conversion takes seconds
    Err made = WriteLogoCopy(w.tool.machine, chosen, &copy, banded ? &band : nullptr);
    p.showBusy(false);
    if (!made) {
        PictureVerdict found;
        Report(w.tool, PreviewFile(w, slot, copy, &found));
        Take(w, slot, copy, found.logo);
        return;
    }
    p.messageBox(made.description() + "\r\n\r\n" + TextOf(kTxtCopyNotMade), Buttons::Ok, Icon::Critical,
                 TextOf(kTxtAppTitle));
    Take(w, slot, chosen, false);
}
}

// A cancel ends here silently, as does any other failure of the dialog but
// one the system cannot provide at all, which the user has to hear of.
void ChooseLogoFile(MainWindow& w, LogoSlot slot)
{
    Platform& p = w.tool.platform;
    w.request.filter = TextOf(kTxtPictureFilter);
    w.request.folder = w.tool.machine.ToolFolder;
    if (Err e = p.showOpen(w.request)) {
        if (e.number() == kErrCannotCreateObject) ShowAndGoOn(w.tool, e, Text());
        return;
    }
    const Text chosen = w.request.chosen;
    TakeLogoFile(w, slot, chosen);
}

// The file is judged as it is chosen: one that is no picture, or cannot be
// read, is named with why, and the slot keeps what it had.
void TakeLogoFile(MainWindow& w, LogoSlot slot, const Text& chosen)
{
    Platform& p = w.tool.platform;
    const Verdict v = Judge(w, slot, chosen);
    if (!v.whyNot.empty())
        p.messageBox(chosen + "\r\n\r\n" + v.whyNot + "\r\n\r\n" + TextOf(kTxtChoiceKept), Buttons::Ok, Icon::Critical,
                     TextOf(kTxtAppTitle));
    else if (v.logo)
        Take(w, slot, chosen, true);
    else
        Offer(w, slot, chosen, v);
}
