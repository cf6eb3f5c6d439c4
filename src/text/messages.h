#pragma once
#include <stdint.h>

// Every text the tool shows, in the language of the system: Japanese on a
// Japanese system (code page 932), English on any other, whose code page
// cannot show Japanese. Each language has one table with every text.
enum TextId : uint16_t {
    kTxtEmpty,
    kTxtAppTitle,
    kTxtStartup,
    kTxtShutdown,
    kTxtPowerOff,  // the slots' names
    kTxtSet,
    kTxtStartupLogo,
    kTxtShutdownLogo,
    kTxtPowerOffLogo,
    kTxtFormatNote,
    kTxtHowToMake,
    kTxtDefault,
    kTxtOK,
    kTxtCancel,
    kTxtHelpTitle,
    kTxtHelpSystems,
    kTxtHelpMethod,
    kTxtHelpWide,
    kTxtHelpSqueezed,
    kTxtGoOn,
    kTxtPreviewError,
    kTxtPictureFilter,
    kTxtBackupFailed,
    kTxtBackupLost,
    kTxtNothingChanged,
    kTxtPictureIs,
    kTxtTimes,
    kTxtListComma,
    kTxtColours2,
    kTxtColours16,
    kTxtColours256,
    kTxtBitColour,
    kTxtCompressed,
    kTxtSentenceEnd,
    kTxtLogoNeeds,
    kTxtMakeLogo,
    kTxtCopyNotMade,
    kTxtAddBand,
    kTxtSwitchesHelp,
    kTxtUnknownSwitch,
    kTxtMissingFile,
    kTxtOneJob,
    kTxtSeeSwitches,
    kTxtAnotherCopy,
    kTxtLeftUnchanged,
    kTxtNotAPicture,
    kTxtDamagedBitmap,
    kTxtDamagedPicture,
    kTxtIsAFolder,
    kTxtTooLarge,
    kTxtTooLargeToReadWhole,
    kTxtChoiceKept,
    kTxtNotShownFiles,
    kTxtInstallAnyway,
    kTxtDefaultDid,
    kTxtPutBack,
    kTxtRemovedAsAtFirst,
    kTxtBackupCopyGone,
    kTxtNothingToRestore,
    kTxtBackupFolderGone,
    kTxtTakeAsFirstLogos,
    kTxtMissingLogos,
    kTxtMissingMeans,
    kTxtDropOnSlot,
    kTxtErrInvalidCall,
    kTxtErrOverflow,
    kTxtErrOutOfMemory,
    kTxtErrBadFileName,
    kTxtErrFileNotFound,
    kTxtErrDeviceIO,
    kTxtErrFileExists,
    kTxtErrDiskFull,
    kTxtErrPermissionDenied,
    kTxtErrDiskNotReady,
    kTxtErrPathFileAccess,
    kTxtErrPathNotFound,
    kTxtErrCannotCreateObject,
    kTxtErrInvalidPicture,
    kTxtErrCancelled,
    kTxtErrOther,
    kTextCount
};

enum class Language { Japanese, English };

constexpr uint32_t kJapaneseCodePage = 932;
Language LanguageForCodePage(uint32_t codePage);

// Chosen once, at start, before any text is shown.
void UseLanguage(Language language);
Language CurrentLanguage();
const char* TextOf(TextId id);
const char* TextOf(Language language, TextId id);

// The labels' font size in points; 0 keeps the system's dialog font as it is.
int32_t TextFontPoints();

extern const char* const kJapaneseTexts[kTextCount];
extern const char* const kEnglishTexts[kTextCount];
