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

// A bitmap that Windows would not show as a logo: the user may have a logo
// made of it, which then becomes the choice. A file that is no bitmap, or
// cannot be read, is left to the preview to report.
Text OfferLogoCopy(Tool& t, const Text& chosen)
{
    Platform& p = t.platform;
    uint8_t* data = nullptr;
    uint32_t size = 0;
    if (t.machine.files.readFile(chosen, kMaxBitmapFileSize, &data, &size)) return chosen;
    Text result = chosen;
    BitmapSummary summary;
    if (DescribeBitmap(data, size, &summary) && !IsLogoShaped(data, size)) {
        Text question = Text(TextOf(kTxtPictureIs)) + Described(summary) + TextOf(kTxtSentenceEnd) + "\r\n" +
                        TextOf(kTxtLogoNeeds) + "\r\n\r\n" + TextOf(kTxtMakeLogo);
        if (p.messageBox(question, Buttons::YesNo, Icon::Question, TextOf(kTxtAppTitle)) == Answer::Yes) {
            Text copy;
            p.showBusy(true);  // on a 486 the conversion takes seconds
            Err made = WriteLogoCopy(t.machine, chosen, data, size, &copy);
            p.showBusy(false);
            if (Err e = made)
                p.messageBox(e.description() + "\r\n\r\n" + TextOf(kTxtCopyNotMade), Buttons::Ok, Icon::Critical,
                             TextOf(kTxtAppTitle));
            else
                result = copy;
        }
    }
    delete[] data;
    return result;
}
}

// The chosen file's full path (or that of the logo made of it) becomes the
// slot's choice; a cancel or any failure ends here silently and changes
// nothing, except a dialog that the system cannot provide at all, which the
// user has to hear of.
void ChooseLogoFile(MainWindow& w, LogoSlot slot)
{
    Platform& p = w.tool.platform;
    w.request.filter = TextOf(kTxtBitmapFilter);
    w.request.folder = w.tool.machine.ToolFolder;
    if (Err e = p.showOpen(w.request)) {
        if (e.number() == kErrCannotCreateObject) ShowAndGoOn(w.tool, e, TextOf(kTxtAppTitle));
        return;
    }
    (void)SetChoice(w, slot, OfferLogoCopy(w.tool, w.request.chosen));
}
