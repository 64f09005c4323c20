#include "Writers.h"

#include "Geodesy.h"
#include "OutputBuffer.h"
#include "Text.h"

#include <algorithm>

namespace cli {

namespace {

// RFC 4180 records written field by field straight into the output.
class CsvRecord {
public:
    explicit CsvRecord(OutputBuffer& out) : m_out(out) {}

    // A field with a comma, quote or line break goes in quotes with its
    // quotes doubled; so does one with outer blanks, which readers may trim.
    template <typename Text>
    static bool needsQuotes(const Text& text)
    {
        if (!text.empty() && (text.front() == ' ' || text.back() == ' '))
            return true;
        return std::any_of(text.begin(), text.end(),
                           [](auto c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    }

    CsvRecord& text(std::string_view text)
    {
        separate();
        if (!needsQuotes(text)) {
            m_out << text;
            return *this;
        }
        m_out << '"';
        for (char c : text) {
            if (c == '"')
                m_out << '"';
            m_out << c;
        }
        m_out << '"';
        return *this;
    }
    CsvRecord& text(const std::wstring& text)
    {
        if (needsQuotes(text))
            return this->text(utf8(text));
        separate();
        m_out.utf8(text);
        return *this;
    }
    CsvRecord& number(const std::optional<double>& value)
    {
        separate();
        if (value)
            m_out.shortest(*value);
        return *this;
    }
    CsvRecord& angle(const std::optional<double>& radians)
    {
        return number(radians ? std::optional<double>(degrees(*radians)) : std::nullopt);
    }
    CsvRecord& line(int line)
    {
        separate();
        if (line >= 0)
            m_out.integer(line + 1LL);
        return *this;
    }
    void end()
    {
        m_out << "\r\n";
        m_first = true;
    }

private:
    void separate()
    {
        if (!m_first)
            m_out << ',';
        m_first = false;
    }

    OutputBuffer& m_out;
    bool m_first = true;
};

void titles(CsvRecord& record, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        record.text(name);
    record.end();
}

} // namespace

void writeCsvPoints(std::ostream& stream, const ImportResults& results)
{
    OutputBuffer out(stream);
    CsvRecord r(out);
    titles(r, {"file", "plugin", "name", "latitude", "longitude", "ellipsoidal_height", "elevation", "line"});
    for (const auto& result : results) {
        const std::string path = utf8(result.path);
        result.forEachPoint([&](const host::ImportedPoint& p) {
            r.text(path).text(result.pluginName).text(p.name).angle(p.latitude).angle(p.longitude);
            r.number(p.ellipsoidalHeight).number(p.elevation).line(p.line).end();
        });
    }
}

void writeCsvVectors(std::ostream& stream, const ImportResults& results)
{
    OutputBuffer out(stream);
    CsvRecord r(out);
    titles(r, {"file", "plugin", "from", "to", "dx", "dy", "dz", "sigma_x", "sigma_y", "sigma_z", "rms", "factor",
               "length", "line", "cov_xx", "cov_xy", "cov_xz", "cov_yy", "cov_yz", "cov_zz"});
    for (const auto& result : results) {
        const std::string path = utf8(result.path);
        result.forEachVector([&](const host::ImportedVector& v) {
            r.text(path).text(result.pluginName).text(v.origin).text(v.target);
            for (const auto& value : v.values)
                r.number(value);
            r.number(vectorLength(v)).line(v.line);
            for (std::size_t i = 0; i < 6; ++i)
                r.number(v.covariance ? std::optional<double>((*v.covariance)[i]) : std::nullopt);
            r.end();
        });
    }
}

} // namespace cli
