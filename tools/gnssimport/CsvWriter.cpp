#include "Writers.h"

#include "Geodesy.h"
#include "Text.h"

#include <initializer_list>

namespace cli {

namespace {

// RFC 4180: a field with a comma, quote or line break goes in quotes with
// its quotes doubled; so does one with outer blanks, which readers may trim.
std::string field(const std::string& text)
{
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos
                       || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string number(const std::optional<double>& value) { return value ? shortest(*value) : std::string(); }

std::string angle(const std::optional<double>& radians)
{
    return radians ? shortest(degrees(*radians)) : std::string();
}

std::string lineNumber(int line) { return line >= 0 ? std::to_string(line + 1) : std::string(); }

void record(std::ostream& out, std::initializer_list<std::string> fields)
{
    bool first = true;
    for (const auto& f : fields) {
        if (!first)
            out << ',';
        first = false;
        out << field(f);
    }
    out << "\r\n";
}

} // namespace

void writeCsvPoints(std::ostream& out, const ImportResults& results)
{
    record(out, {"file", "plugin", "name", "latitude", "longitude", "ellipsoidal_height", "elevation", "line"});
    for (const auto& result : results)
        result.forEachPoint([&](const host::ImportedPoint& p) {
            record(out, {utf8(result.path), result.pluginName, utf8(p.name), angle(p.latitude), angle(p.longitude),
                         number(p.ellipsoidalHeight), number(p.elevation), lineNumber(p.line)});
        });
}

void writeCsvVectors(std::ostream& out, const ImportResults& results)
{
    record(out, {"file", "plugin", "from", "to", "dx", "dy", "dz", "sigma_x", "sigma_y", "sigma_z", "rms", "factor",
                 "length", "line", "cov_xx", "cov_xy", "cov_xz", "cov_yy", "cov_yz", "cov_zz"});
    for (const auto& result : results)
        result.forEachVector([&](const host::ImportedVector& v) {
            std::optional<double> c[6];
            for (std::size_t i = 0; v.covariance && i < 6; ++i)
                c[i] = (*v.covariance)[i];
            record(out, {utf8(result.path), result.pluginName, utf8(v.origin), utf8(v.target), number(v.dx()),
                         number(v.dy()), number(v.dz()), number(v.sigmaX()), number(v.sigmaY()), number(v.sigmaZ()),
                         number(v.rms()), number(v.factor()), number(vectorLength(v)), lineNumber(v.line),
                         number(c[0]), number(c[1]), number(c[2]), number(c[3]), number(c[4]), number(c[5])});
        });
}

} // namespace cli
