#include "JsonStream.h"

#include "Text.h"

#include <algorithm>

namespace cli {

namespace {

constexpr int kIndent = 2;

} // namespace

void JsonStream::indent(std::size_t depth)
{
    static const std::string blanks(64, ' ');
    for (std::size_t n = depth * kIndent; n > 0;) {
        const std::size_t step = std::min(n, blanks.size());
        m_out << std::string_view(blanks.data(), step);
        n -= step;
    }
}

void JsonStream::nextItem()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_empty.empty())
        return;
    m_out << (m_empty.back() ? "\n" : ",\n");
    m_empty.back() = false;
    indent(m_empty.size());
}

void JsonStream::begin(char bracket)
{
    nextItem();
    m_out << bracket;
    m_empty.push_back(true);
}

void JsonStream::end(char bracket)
{
    const bool empty = m_empty.back();
    m_empty.pop_back();
    if (!empty) {
        m_out << '\n';
        indent(m_empty.size());
    }
    m_out << bracket;
}

// Escaped as nlohmann::json escapes valid UTF-8 without ensure_ascii.
void JsonStream::quoted(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    m_out << '"';
    std::size_t plain = 0; // start of the run not yet written
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        m_out << text.substr(plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"': m_out << "\\\""; break;
        case '\\': m_out << "\\\\"; break;
        case '\b': m_out << "\\b"; break;
        case '\f': m_out << "\\f"; break;
        case '\n': m_out << "\\n"; break;
        case '\r': m_out << "\\r"; break;
        case '\t': m_out << "\\t"; break;
        default: m_out << "\\u00" << kHex[c >> 4] << kHex[c & 0xF];
        }
    }
    m_out << text.substr(plain) << '"';
}

void JsonStream::key(std::string_view name)
{
    nextItem();
    quoted(name);
    m_out << ": ";
    m_afterKey = true;
}

void JsonStream::value(double v)
{
    nextItem();
    m_out.jsonNumber(v);
}

void JsonStream::value(std::string_view text)
{
    nextItem();
    quoted(text);
}

void JsonStream::value(const std::wstring& text)
{
    nextItem();
    // Most names need no escaping: written unit by unit without a copy.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x20 && c != '"' && c != '\\'; })) {
        m_out << '"';
        m_out.utf8(text);
        m_out << '"';
        return;
    }
    quoted(utf8(text));
}

void JsonStream::value(const json& v)
{
    nextItem();
    const std::string text = v.dump(kIndent, ' ', false, json::error_handler_t::replace);
    const std::string shift(m_empty.size() * kIndent, ' ');
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        m_out << std::string_view(text).substr(start, nl + 1 - start) << shift;
    m_out << std::string_view(text).substr(start);
}

} // namespace cli
