#include "JsonStream.h"

#include <algorithm>

namespace cli {

namespace {

constexpr int kIndent = 2;

} // namespace

void JsonStream::indent(std::size_t depth) { m_out << std::string(depth * kIndent, ' '); }

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

void JsonStream::key(const std::string& name)
{
    nextItem();
    // Plain names (all of ours) need no escaping.
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return c >= 0x20 && c != '"' && c != '\\' && static_cast<unsigned char>(c) < 0x80;
    });
    if (plain)
        m_out << '"' << name << "\": ";
    else
        m_out << json(name).dump(-1, ' ', false, json::error_handler_t::replace) << ": ";
    m_afterKey = true;
}

void JsonStream::value(const json& v)
{
    nextItem();
    const std::string text = v.dump(kIndent, ' ', false, json::error_handler_t::replace);
    const std::string shift(m_empty.size() * kIndent, ' ');
    std::size_t start = 0;
    for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        m_out.write(text.data() + start, static_cast<std::streamsize>(nl + 1 - start)) << shift;
    m_out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

} // namespace cli
