#include "Writers.h"

#include "Text.h"

namespace cli {

namespace {

// Quoted with backslash escapes, so that every event stays on one line.
std::string quoted(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : utf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\x";
                out += hex[(c >> 4) & 0xF];
                out += hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

std::string eventLine(const host::TargetEvent& e)
{
    using K = host::TargetEvent;
    switch (e.kind) {
    case K::SetCurrentFile: return "SetCurrentFile(" + quoted(e.text) + ")";
    case K::SetCurrentLine: return "SetCurrentLine(" + std::to_string(e.line) + ")";
    case K::ReportWarning: return "ReportWarning(" + quoted(e.text) + ")";
    case K::ReportError: return "ReportError(" + quoted(e.text) + ")";
    case K::SetProgress: return "SetProgress(" + shortest(static_cast<float>(e.value)) + ")";
    case K::SetValue: return "SetValue(" + utf8(host::eventName(e.id)) + "," + shortest(e.value) + ")";
    case K::SetText: return "SetText(" + utf8(host::eventName(e.id)) + "," + quoted(e.text) + ")";
    case K::SetElevation: return "SetElevation(" + shortest(e.value) + ")";
    case K::SetEllipsoidalHeight: return "SetEllipsoidalHeight(" + shortest(e.value) + ")";
    case K::SetCovariance: {
        std::string line = "SetCovariance(";
        for (std::size_t i = 0; i < e.covariance.size(); ++i)
            line += (i ? "," : "") + shortest(e.covariance[i]);
        return line + ")";
    }
    }
    return "?";
}

} // namespace

void writeEvents(std::ostream& out, const ImportResults& results)
{
    for (const auto& result : results) {
        out << "# " << (result.pluginName.empty() ? std::string("no plug-in") : result.pluginName) << ": "
            << utf8(result.path) << '\n';
        for (const auto& event : result.events)
            out << eventLine(event) << '\n';
    }
}

} // namespace cli
