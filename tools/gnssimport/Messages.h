// The plug-ins' message texts in the user's language: each fixed Russian
// text the plug-ins send has a stable code and an English wording.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Language { English, Russian };

struct CatalogueEntry {
    const char* id;        // the plug-ins' name of the text
    const char* code;      // stable, for machine readers
    const wchar_t* russian; // as the plug-ins send it; "%ls" stands for a generated part
    const wchar_t* english; // the same place holder, if any
};

struct Translation {
    std::string code;
    std::wstring english;
};

const std::vector<CatalogueEntry>& messageCatalogue();
// The code and English wording of a text the plug-ins send; none for a text
// outside the catalogue.
std::optional<Translation> translate(const std::wstring& text);

// Russian when the messages locale (LC_ALL, LC_MESSAGES, LANG: the first
// one set and not empty) names Russian, English otherwise.
Language languageFromEnvironment();
// "ru" or "en"; none for anything else.
std::optional<Language> languageFromName(const std::string& name);

// The text as the user reads it: in English, English followed by the
// original in parentheses; in Russian, as sent. A text outside the
// catalogue is shown as it is.
std::wstring displayText(const std::wstring& text, Language language);

} // namespace cli
