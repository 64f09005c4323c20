#include <gnssimport/host/SettingsStore.h>

#include <gnssimport/host/FileReplacement.h>
#include <gnssimport/text/Utf8.h>

#include <fstream>
#include <stdexcept>

namespace host {

namespace {

std::runtime_error fileError(const std::string& what, const std::string& path)
{
    return std::runtime_error(what + ": " + path);
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
        try {
            line = text::fromStoredUtf8(bytes);
        } catch (const std::range_error&) {
            throw fileError("invalid UTF-8 in line " + std::to_string(number) + " of settings file", path);
        }
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
    std::string content;
    for (const auto& entry : m_values) {
        const std::wstring line = escape(entry.first, true) + L'=' + escape(entry.second, false);
        try {
            content += text::toStoredUtf8(line);
        } catch (const std::range_error&) {
            throw fileError("setting not representable in UTF-8 for settings file", path);
        }
        content += '\n';
    }
    // The old file stays until the new one is complete on disk.
    FileReplacement replacement(path);
    std::ofstream out(replacement.temporaryPath(), std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out)
        throw fileError("cannot write settings file", path);
    replacement.commit();
}

} // namespace host
