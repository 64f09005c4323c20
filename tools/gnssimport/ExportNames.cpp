#include "ExportNames.h"

#include "Text.h"

#include <set>

namespace cli {

namespace {

// Control characters (tabs and line breaks too) do not survive as names;
// a token may not start, end or double a space either.
bool fits(const std::wstring& name, NameRule rule)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = name[i];
        if (c < 0x20 || c == 0x7F)
            return false;
        if (rule == NameRule::Token && c == L' '
            && (i == 0 || i + 1 == name.size() || name[i + 1] == L' '))
            return false;
    }
    return true;
}

std::wstring replaced(std::wstring name, NameRule rule)
{
    for (auto& c : name)
        if (c < 0x20 || c == 0x7F || (rule == NameRule::Token && c == L' '))
            c = L'_';
    return name;
}

} // namespace

void assignIds(std::vector<ExportStation>& stations, NameRule rule, std::ostream& warnings)
{
    std::set<std::string> taken;
    for (const auto& s : stations)
        if (fits(s.name, rule))
            taken.insert(utf8(s.name));
    for (auto& s : stations) {
        if (fits(s.name, rule)) {
            s.id = utf8(s.name);
            continue;
        }
        const std::string base = utf8(replaced(s.name, rule));
        std::string id = base;
        for (int n = 2; taken.count(id); ++n)
            id = base + "_" + std::to_string(n);
        taken.insert(id);
        s.id = id;
        warnings << "gnssimport: station \"" << utf8(s.name) << "\" written as \"" << id
                 << "\" (blanks and control characters replaced)\n";
    }
}

std::string xmlEscape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::vector<std::string> escapedIds(const ExportNetwork& network)
{
    std::vector<std::string> ids;
    ids.reserve(network.stations.size());
    for (const auto& s : network.stations)
        ids.push_back(xmlEscape(s.id));
    return ids;
}

} // namespace cli
