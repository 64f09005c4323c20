#include <gnssimport/host/FormatSignature.h>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/replace.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <algorithm>
#include <regex>
#include <vector>

namespace host {

namespace {

const std::string kBom = "\xEF\xBB\xBF";

std::vector<std::string> lines(const std::string& head)
{
    std::vector<std::string> result;
    boost::split(result, head, [](char c) { return c == '\n' || c == '\r'; });
    // The last piece may be cut off mid-line: it is only a guess.
    if (result.size() > 1)
        result.pop_back();
    return result;
}

std::string withoutBom(const std::string& head)
{
    return boost::starts_with(head, kBom) ? head.substr(kBom.size()) : head;
}

std::string fileName(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A bracketed section header of a TGO/TBC export on the first line with text.
bool isTgoTbc(const std::string& head)
{
    static const char* const sections[] = {"[General]", "[Stations]", "[Keyed In Coordinates]",
                                           "[Observed Coordinates]", "[GPS]"};
    for (const auto& line : lines(withoutBom(head))) {
        const std::string text = boost::trim_copy(line);
        if (text.empty())
            continue;
        return std::find(std::begin(sections), std::end(sections), text) != std::end(sections);
    }
    return false;
}

// The product line every Spectrum Survey report page starts with; the
// registered sign between the words is in whatever code page the report has.
// With the version that follows, so that prose naming the product at the
// start of a line is not claimed.
bool isSpectrum(const std::string& head)
{
    static const std::regex product("(?:^|[\\r\\n])[ \\t]*Spectrum[^A-Za-z\\r\\n]{0,3}Survey[ \\t]+[0-9]+\\.[0-9]");
    return std::regex_search(head, product);
}

// station.dat or vector.dat whose first line is the synonym block or the
// record marker.
bool isPinnacle(const std::string& path, const std::string& head)
{
    if (!boost::iends_with(fileName(path), "station.dat") && !boost::iends_with(fileName(path), "vector.dat"))
        return false;
    const std::string first = boost::trim_right_copy(firstLine(withoutBom(head)));
    return first == "List of Synonyms for Long Names" || first == ":::";
}

// A point ("P,name,lat,lon,height") or baseline ("VPP,base,rover,dX,dY,dZ")
// record at the start of a line.
bool isTopcon(const std::string& head)
{
    for (const auto& line : lines(head)) {
        const auto fields = std::count(line.begin(), line.end(), ',') + 1;
        if ((boost::starts_with(line, "P,") && fields >= 5) || (boost::starts_with(line, "VPP,") && fields >= 6))
            return true;
    }
    return false;
}

// An LGO table's header: tab-separated in .txt, comma-separated in .csv,
// blank-separated with "_" for blanks in .prn, naming the point column or
// both ends of a line.
bool isLgo(const std::string& path, const std::string& head, const LgoHeaderNames& names)
{
    const std::string name = fileName(path);
    char separator = 0;
    if (boost::iends_with(name, ".txt"))
        separator = '\t';
    else if (boost::iends_with(name, ".csv"))
        separator = ',';
    else if (boost::iends_with(name, ".prn"))
        separator = ' ';
    else
        return false;
    std::vector<std::string> columns;
    boost::split(columns, firstLine(withoutBom(head)), [separator](char c) { return c == separator; });
    if (separator == ' ')
        for (auto& column : columns)
            boost::replace_all(column, "_", " ");
    const auto has = [&](const std::string& wanted) {
        return std::find(columns.begin(), columns.end(), wanted) != columns.end();
    };
    return has(names.pointId) || (has(names.referenceId) && has(names.roverId));
}

} // namespace

std::string firstLine(const std::string& head)
{
    return head.substr(0, head.find_first_of("\r\n"));
}

std::string identifyFormat(const std::string& path, const std::string& head, const LgoHeaderNames& lgo)
{
    if (isPinnacle(path, head))
        return "pinnacle";
    if (isTgoTbc(head))
        return "tgotbc";
    if (isSpectrum(head))
        return "spectrum";
    if (isLgo(path, head, lgo))
        return "lgo";
    if (isTopcon(head))
        return "topcon";
    return std::string();
}

} // namespace host
