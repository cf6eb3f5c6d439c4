#include "logo_files/logo_copy.h"
#include "picture/make_logo.h"
#include "ui/error_styles.h"
#include "ui/main_window/main_window.h"

namespace {
// "640 x 480, 24-bit colour", in the user's language.
Text Described(const BitmapSummary& s)
{
    Text text = Text::number(s.width) + TextOf(kTxtTimes) + Text::number(s.height) + TextOf(kTxtListComma);
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
// of, or none, and why not.
struct Verdict {
    Text whyNot;  // empty for a bitmap
    bool logo = false;
    BitmapSummary summary{};
};

Verdict Judge(Machine& m, const Text& path, const uint8_t* data, uint32_t size, const Err& read)
{
    Verdict v;
    Text name;
    if (read.number() == kErrInvalidPicture)  // past the largest bitmap the tool reads
        v.whyNot = TextOf(kTxtTooLarge);
    else if (read && !m.files.findFile(path, FileQuery::Directory, &name) && !name.empty() &&
             !m.files.findFile(path, FileQuery::AnyFile, &name) && name.empty())
        v.whyNot = TextOf(kTxtIsAFolder);
    else if (read)
        v.whyNot = ErrorDescription(read.number());
    else if (!DescribeBitmap(data, size, &v.summary))
        v.whyNot = TextOf(size >= 2 && data[0] == 'B' && data[1] == 'M' ? kTxtDamagedBitmap : kTxtNotABitmap);
    else
        v.logo = IsLogoShaped(data, size);
    return v;
}

// A bitmap that Windows would not show as a logo: the user may have a logo
// made of it, which then becomes the choice; or keep it, and OK asks.
void Offer(MainWindow& w, LogoSlot slot, const Text& chosen, const Verdict& v, const uint8_t* data, uint32_t size)
{
    Platform& p = w.tool.platform;
    Text question = Text(TextOf(kTxtPictureIs)) + Described(v.summary) + TextOf(kTxtSentenceEnd) + "\r\n" +
                    TextOf(kTxtLogoNeeds) + "\r\n\r\n" + TextOf(kTxtMakeLogo);
    if (p.messageBox(question, Buttons::YesNo, Icon::Question, TextOf(kTxtAppTitle)) != Answer::Yes) {
        (void)SetChoice(w, slot, chosen, false);
        return;
    }
    Text copy;
    p.showBusy(true);  // on a 486 the conversion takes seconds
    Err made = WriteLogoCopy(w.tool.machine, chosen, data, size, &copy);
    p.showBusy(false);
    if (!made) {
        (void)SetChoice(w, slot, copy, true);
        return;
    }
    p.messageBox(made.description() + "\r\n\r\n" + TextOf(kTxtCopyNotMade), Buttons::Ok, Icon::Critical,
                 TextOf(kTxtAppTitle));
    (void)SetChoice(w, slot, chosen, false);
}
}

// The chosen file is judged as it is chosen: one that is no picture, or
// cannot be read, is named with why, and the slot keeps what it had. A
// cancel ends here silently, as does any other failure of the dialog but
// one the system cannot provide at all, which the user has to hear of.
void ChooseLogoFile(MainWindow& w, LogoSlot slot)
{
    Platform& p = w.tool.platform;
    w.request.filter = TextOf(kTxtBitmapFilter);
    w.request.folder = w.tool.machine.ToolFolder;
    if (Err e = p.showOpen(w.request)) {
        if (e.number() == kErrCannotCreateObject) ShowAndGoOn(w.tool, e, Text());
        return;
    }
    const Text chosen = w.request.chosen;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    const Err read = w.tool.machine.files.readFile(chosen, kMaxBitmapFileSize, &data, &size);
    const Verdict v = Judge(w.tool.machine, chosen, data, size, read);
    if (!v.whyNot.empty())
        p.messageBox(chosen + "\r\n\r\n" + v.whyNot + "\r\n\r\n" + TextOf(kTxtChoiceKept), Buttons::Ok, Icon::Critical,
                     TextOf(kTxtAppTitle));
    else if (v.logo)
        (void)SetChoice(w, slot, chosen, true);
    else
        Offer(w, slot, chosen, v, data, size);
    delete[] data;
}
