#include "Messages.h"

#include <cstdlib>
#include <cstring>

namespace cli {

namespace {

const std::wstring s_placeHolder = L"%ls";

// Matches text against a catalogue text with at most one place holder and
// gives back what stands in its place.
std::optional<std::wstring> match(const std::wstring& text, const std::wstring& pattern)
{
    const auto hole = pattern.find(s_placeHolder);
    if (hole == std::wstring::npos)
        return text == pattern ? std::optional<std::wstring>(std::wstring()) : std::nullopt;
    const std::size_t fixedLength = pattern.size() - s_placeHolder.size();
    const std::size_t tail = fixedLength - hole;
    if (text.size() < fixedLength || text.compare(0, hole, pattern, 0, hole) != 0
        || text.compare(text.size() - tail, tail, pattern, hole + s_placeHolder.size(), tail) != 0)
        return std::nullopt;
    return text.substr(hole, text.size() - hole - tail);
}

// "ru", "ru_RU", "ru_UA.UTF-8", "ru_RU@euro", but not "rue" or "russian".
bool namesRussian(const char* locale)
{
    return std::strncmp(locale, "ru", 2) == 0 && (locale[2] == '\0' || std::strchr("_.@", locale[2]));
}

} // namespace

const std::vector<CatalogueEntry>& messageCatalogue()
{
    static const std::vector<CatalogueEntry> s_catalogue = {
        {"IDS_FILE_OPEN_ERROR", "file-open-error", L"Ошибка при открытии файла", L"Error opening the file"},
        {"IDS_INVALID_FILE_FORMAT", "invalid-file-format", L"Неизвестный формат файла", L"Unknown file format"},
        {"IDS_INVALID_INPUT_FILE", "not-station-or-vector-file", L"Требуется station.dat или vector.dat файл.",
         L"A station.dat or vector.dat file is required."},
        {"IDS_INVALID_STR_FORMAT", "invalid-line", L"Некорректный формат строки", L"Invalid line format"},
        {"IDS_NO_TOKEN_SEPARATOR", "no-value-separator", L"Не задан разделитель для значений в секции [General]",
         L"No value separator given in section [General]"},
        {"IDS_EMPTY_POINT_NAME", "empty-point-name", L"Пустое имя пункта. Генерируем имя %ls.",
         L"Empty point name. Generating the name %ls."},
        {"IDS_VECTOR_ORIGIN_NOT_SET", "vector-origin-missing", L"Не задано начало вектора",
         L"Vector start point not given"},
        {"IDS_VECTOR_TARGET_NOT_SET", "vector-target-missing", L"Не задан конец вектора",
         L"Vector end point not given"},
    };
    return s_catalogue;
}

std::optional<Translation> translate(const std::wstring& text)
{
    for (const auto& entry : messageCatalogue()) {
        if (const auto part = match(text, entry.russian)) {
            std::wstring english = entry.english;
            const auto hole = english.find(s_placeHolder);
            if (hole != std::wstring::npos)
                english.replace(hole, s_placeHolder.size(), *part);
            return Translation{entry.code, std::move(english)};
        }
    }
    return std::nullopt;
}

Language languageFromEnvironment()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return namesRussian(value) ? Language::Russian : Language::English;
    }
    return Language::English;
}

std::optional<Language> languageFromName(const std::string& name)
{
    if (name == "ru")
        return Language::Russian;
    if (name == "en")
        return Language::English;
    return std::nullopt;
}

std::wstring displayText(const std::wstring& text, Language language)
{
    if (language == Language::Russian)
        return text;
    const auto translation = translate(text);
    if (!translation || translation->english == text)
        return text;
    return translation->english + L" (" + text + L")";
}

} // namespace cli
