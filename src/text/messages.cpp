#include "text/messages.h"

namespace {
Language gLanguage = Language::Japanese;
// The Japanese texts were laid out at 9 points; the English ones fit the same
// boxes in the system's own dialog font.
constexpr int32_t kJapaneseFontPoints = 9;
constexpr int32_t kSystemFont = 0;
}

Language LanguageForCodePage(uint32_t codePage)
{
    return codePage == kJapaneseCodePage ? Language::Japanese : Language::English;
}

void UseLanguage(Language language) { gLanguage = language; }
Language CurrentLanguage() { return gLanguage; }

const char* TextOf(Language language, TextId id)
{
    if (id >= kTextCount) return "";
    return (language == Language::Japanese ? kJapaneseTexts : kEnglishTexts)[id];
}

const char* TextOf(TextId id) { return TextOf(gLanguage, id); }

int32_t TextFontPoints() { return gLanguage == Language::Japanese ? kJapaneseFontPoints : kSystemFont; }
