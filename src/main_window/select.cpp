#include "form1.h"
#include "main_window.h"

// Stores the chosen file's full path as the slot's choice; a cancel or any
// failure ends here silently and changes nothing.
void SelectLogoFile(Tool& t, int16_t index)
{
    Platform& p = t.platform;
    CommonDialog& dialog = t.CommonDialog1;
    dialog.CancelError = true;
    dialog.Filter = "ビットマップ (*.bmp)|*.bmp";
    dialog.InitDir = p.toolFolder();
    if (p.showOpen(dialog)) return;
    (void)p.setCaption(t.mainWindow, Form1::lblLogo(index), dialog.FileName);
}
