#include <gnssimport/host/SettingsStore.h>

#include <gnssimport/host/Utf8.h>

#include <fstream>
#include <stdexcept>

namespace host {

namespace {

std::runtime_error fileError(const std::string& what, const std::string& path)
{
    return std::runtime_error(what + ": " + path);
}

// Wide text to UTF-8. Lone surrogates are encoded like any other code unit
// (as three bytes), so values holding UTF-16 pairs survive a round trip.
bool appendUtf8(std::wstring::value_type wc, std::string& out)
{
    if (wc < 0 || static_cast<unsigned long>(wc) > 0x10FFFFul)
        return false;
    host::appendUtf8(static_cast<char32_t>(wc), out);
    return true;
}

// UTF-8 to wide text, the inverse of appendUtf8; false on malformed bytes.
bool decodeUtf8(const std::string& in, std::wstring& out)
{
    out.clear();
    std::size_t i = 0;
    char32_t c = 0;
    while (i < in.size()) {
        if (!decodeUtf8At(in, i, c))
            return false;
        out += static_cast<wchar_t>(c);
    }
    return true;
}

// Backslash escapes keep a key or value on one line; keys also escape "="
// and "#" so the first bare "=" separates and "#" never starts a comment.
std::wstring escape(const std::wstring& text, bool key)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        case L'=':
        case L'#':
            if (key)
                out += L'\\';
            out += c;
            break;
        default: out += c; break;
        }
    }
    return out;
}

// Undoes escape(); an unknown escape is kept as written.
std::wstring unescape(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const wchar_t next = text[++i];
        switch (next) {
        case L'\\': out += L'\\'; break;
        case L'n': out += L'\n'; break;
        case L'r': out += L'\r'; break;
        case L'=': out += L'='; break;
        case L'#': out += L'#'; break;
        default:
            out += L'\\';
            out += next;
            break;
        }
    }
    return out;
}

// Position of the first "=" not preceded by an escaping backslash.
std::size_t findSeparator(const std::wstring& line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'\\')
            ++i;
        else if (line[i] == L'=')
            return i;
    }
    return std::wstring::npos;
}

bool isBlankLine(const std::wstring& line)
{
    return line.find_first_not_of(L" \t") == std::wstring::npos;
}

} // namespace

bool SettingsStore::ReadString(const wchar_t* key, Plugin::IString* value, const wchar_t* defaultValue)
{
    ++m_reads;
    if (!value)
        return false;
    const auto it = key ? m_values.find(key) : m_values.end();
    if (it == m_values.end()) {
        value->assign(defaultValue ? defaultValue : L"");
        return false;
    }
    value->assign(it->second.c_str());
    return true;
}

bool SettingsStore::WriteString(const wchar_t* key, Plugin::IString* value)
{
    if (!key || !value)
        return false;
    ++m_writes;
    const wchar_t* text = value->c_str();
    m_values[key] = text ? text : L"";
    return true;
}

std::wstring SettingsStore::get(const std::wstring& key, const std::wstring& fallback) const
{
    const auto it = m_values.find(key);
    return it == m_values.end() ? fallback : it->second;
}

void SettingsStore::loadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw fileError("cannot open settings file", path);
    std::map<std::wstring, std::wstring> values;
    std::string bytes;
    int number = 0;
    while (std::getline(in, bytes)) {
        ++number;
        if (number == 1 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
            bytes.erase(0, 3);
        if (!bytes.empty() && bytes.back() == '\r') // CR LF line ends; a CR of a value is escaped
            bytes.pop_back();
        std::wstring line;
        if (!decodeUtf8(bytes, line))
            throw fileError("invalid UTF-8 in line " + std::to_string(number) + " of settings file", path);
        if (isBlankLine(line) || line[0] == L'#')
            continue;
        const std::size_t separator = findSeparator(line);
        if (separator == std::wstring::npos)
            throw fileError("no '=' in line " + std::to_string(number) + " of settings file", path);
        values[unescape(line.substr(0, separator))] = unescape(line.substr(separator + 1));
    }
    if (in.bad())
        throw fileError("cannot read settings file", path);
    m_values.swap(values);
}

void SettingsStore::saveFile(const std::string& path) const
{
    std::string text;
    for (const auto& entry : m_values) {
        const std::wstring line = escape(entry.first, true) + L'=' + escape(entry.second, false);
        for (wchar_t c : line)
            if (!appendUtf8(c, text))
                throw fileError("setting not representable in UTF-8 for settings file", path);
        text += '\n';
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw fileError("cannot create settings file", path);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out)
        throw fileError("cannot write settings file", path);
}

} // namespace host
