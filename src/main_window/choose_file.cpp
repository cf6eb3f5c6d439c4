#include "../tool/error_styles.h"
#include "main_window.h"
#include "main_window_controls.h"

// Stores the chosen file's full path as the slot's choice; a cancel or any
// failure ends here silently and changes nothing, except a dialog that the
// system cannot provide at all, which the user has to hear of.
void SelectLogoFile(Tool& t, int16_t index)
{
    Platform& p = t.platform;
    CommonDialog& dialog = t.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = TextOf(kTxtBitmapFilter);
    dialog.InitDir = p.toolFolder();
    if (Err e = p.showOpen(dialog)) {
        if (e.number() == kErrCannotCreateObject) ShowAndGoOn(t, e, TextOf(kTxtAppTitle));
        return;
    }
    (void)p.setCaption(t.mainWindow, Form1::lblLogo(index), dialog.FileName);
}
