#include "main.h"

#include "logo_files/startup.h"
#include "main_window/main_window.h"
#include "tool/error_styles.h"

void Main(Tool& t)
{
    Platform& p = t.platform;
    if (p.anotherCopyRunning()) p.endNow();
    FindSystemFolders(t);
    BackUpOnFirstStart(t);
    (void)ShowMainWindow(t);
}
