#pragma once
#include "tool.h"
#include "ui/control_ids.h"

struct PaletteCycle;

// The main window and what it keeps while it is open. Each slot's chosen
// file lives here; its path label only shows it.
class MainWindow final : public FormEvents {
public:
    explicit MainWindow(Tool& t) : tool(t) {}
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void Load(FormHandle self) override;
    void Unload() override;
    void Click(int control) override;
    void Timer() override;
    void FilesDropped(int control, uint32_t count, const Text& first) override;

    Tool& tool;
    FormHandle form = kNoForm;
    Text chosen[kSlotCount];         // a full path, or empty for no choice
    bool shownAsLogo[kSlotCount]{};  // the chosen file is a logo Windows shows, as judged when chosen
    OpenFileRequest request;         // keeps the last file chosen in any slot
    PaletteCycle* cycle = nullptr;   // slot 0's preview, while it moves
    Text settingsPath;
};

extern const FormDef kMainWindowDef;

// Loads the main window, which opens itself, and shows it.
Err ShowMainWindow(Tool& t);

// The window's opening: layout, place, previews of the installed logos,
// OK disabled.
void InitMainWindow(MainWindow& w);

// A new choice for the slot, judged a logo Windows shows or not, and
// previewed already: its path label shows it, and OK is enabled.
// The same choice again changes nothing; a label that cannot show it keeps
// the old choice.
Err SetChoice(MainWindow& w, LogoSlot slot, const Text& path, bool shownAsLogo);

// The slot's 設定 button: the file dialog, and the file as the slot's choice.
void ChooseLogoFile(MainWindow& w, LogoSlot slot);

// A file chosen for the slot, in the dialog or dropped on the slot's row:
// judged, previewed, offered to be made a logo of, and taken or refused.
void TakeLogoFile(MainWindow& w, LogoSlot slot, const Text& path);

// The window's place in the settings file beside the tool.
Err SaveWindowPosition(MainWindow& w);
int32_t ReadWindowPosition(MainWindow& w, const char* key, int32_t fallback);
bool ParseStoredPosition(const Text& text, int32_t* value);
extern const char kSettingsSection[];
extern const char kKeyLeft[];
// Says the first logos were once kept in BakLog.
extern const char kKeyBackupMade[];
extern const char kKeyTop[];
