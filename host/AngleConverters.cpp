#include <gnssimport/host/AngleConverters.h>

#include "RefCounted.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

namespace host {

namespace {

using Plugin::AngleConverter::Type;

constexpr double kPi = 3.14159265358979323846;

// Accepted angle texts. Blanks and tabs around the text are ignored.
//
// Every notation: an optional sign ("+" or "-") or one hemisphere letter
// (N, S, E, W in either case, before or after the angle, blanks or dots
// allowed between; S and W make the angle negative). A sign together with a
// letter is rejected. Dots count as blanks next to a letter or a unit sign
// because the Topcon plug-in turns every blank of an angle into a dot.
// Decimal numbers take "." or "," as the decimal mark, need a digit on both
// sides of it and are read without regard to the locale.
//
// fromRadians, fromDXX, fromGon, fromMil: one decimal number with an
//   optional exponent ("0.97", "38,170888", "1.5e-3"); fromDXX also takes a
//   trailing degree sign ("55.75°"). Units: radians, degrees, 400 gon and
//   6400 mil per circle.
// fromDMS: degrees, minutes, seconds; only the last part may be decimal,
//   minutes and seconds are at most two digits and below 60, degrees at
//   most three digits. Written as
//   - "55°45'12.3456\"" (also ° º ˚, ' ′ ’, " ″ ''; blanks or dots after
//     the signs; the last sign may be left out; "55°", "55.75°", "55°45.5'"),
//   - "55 45 12.3456" or "55:45:12.3456" (also "55 45" and "55:45.5"),
//   - "55.45.12.3456" or "55.45.12,3456" (dotted; "55.45.12" has integer
//     seconds),
//   - packed "554512.3456", five to seven integer digits DDDMMSS (what the
//     LGO plug-in leaves of "55 45 12.3456" once it removes the blanks),
//   - a whole number of up to three digits, "55", as whole degrees.
//   A bare "55.45" is rejected: it may mean decimal degrees or degrees and
//   minutes "55 45" with the blank turned into a dot, and a wrong guess
//   would go unnoticed.
// fromDMX: degrees and decimal minutes in the sign, blank or colon forms
//   above with at most two parts ("55 45.2057", "55:45.2057",
//   "55°45.2057'"), "55.75°", or a whole number of degrees.
// Anything else is rejected: empty text, other letters, trailing text,
// more than one sign, NaN or infinity.

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The unsigned number text "123.45" as read, normalised to ASCII.
struct Number {
    std::string text;
    std::size_t intDigits = 0;
    bool hasFraction = false;
};

bool toDouble(const std::string& text, double& out)
{
    const char* first = text.data();
    const char* last = first + text.size();
    auto result = std::from_chars(first, last, out, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(out);
}

bool readDigits(const wchar_t*& p, const wchar_t* end, std::string& out)
{
    const wchar_t* start = p;
    while (p != end && isDigit(*p))
        out += static_cast<char>(*p++);
    return p != start;
}

// digits [mark digits] [e[sign]digits when allowExponent].
bool readNumber(const wchar_t*& p, const wchar_t* end, bool allowExponent, Number& n)
{
    n = Number();
    if (!readDigits(p, end, n.text))
        return false;
    n.intDigits = n.text.size();
    if (p != end && (*p == L'.' || *p == L',') && p + 1 != end && isDigit(p[1])) {
        ++p;
        n.text += '.';
        n.hasFraction = true;
        readDigits(p, end, n.text);
    }
    if (allowExponent && p != end && (*p == L'e' || *p == L'E')) {
        const wchar_t* q = p + 1;
        std::string exponent = "e";
        if (q != end && (*q == L'+' || *q == L'-'))
            exponent += static_cast<char>(*q++);
        if (!readDigits(q, end, exponent))
            return false;
        n.text += exponent;
        p = q;
    }
    return true;
}

bool matchDegreeSign(const wchar_t*& p, const wchar_t* end)
{
    if (p != end && (*p == L'\u00B0' || *p == L'\u00BA' || *p == L'\u02DA')) {
        ++p;
        return true;
    }
    return false;
}

// The sign that ends part `index` of a degrees/minutes/seconds text.
bool matchUnitSign(std::size_t index, const wchar_t*& p, const wchar_t* end)
{
    if (p == end)
        return false;
    switch (index) {
    case 0:
        return matchDegreeSign(p, end);
    case 1:
        if (*p == L'\'' || *p == L'\u2032' || *p == L'\u2019') {
            ++p;
            return true;
        }
        return false;
    case 2:
        if (*p == L'"' || *p == L'\u2033') {
            ++p;
            return true;
        }
        if (*p == L'\'' && p + 1 != end && p[1] == L'\'') {
            p += 2;
            return true;
        }
        return false;
    default:
        return false;
    }
}

// Checks the parts and sums them to degrees.
bool partsToDegrees(const std::vector<Number>& parts, double& degrees)
{
    static const double scale[] = {1.0, 60.0, 3600.0};
    if (parts.empty() || parts.size() > 3)
        return false;
    degrees = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Number& n = parts[i];
        if (n.hasFraction && i + 1 != parts.size())
            return false;
        if (n.intDigits > (i == 0 ? 3u : 2u))
            return false;
        double v = 0;
        if (!toDouble(n.text, v))
            return false;
        if (i > 0 && v >= 60.0)
            return false;
        degrees += v / scale[i];
    }
    return true;
}

// "55°45'12.3\"", "55 45 12.3" or "55:45:12.3" with at most maxParts parts.
bool readSeparatedParts(const wchar_t* p, const wchar_t* end, std::size_t maxParts, std::vector<Number>& parts)
{
    enum class Style { Unknown, Signs, Blanks, Colons } style = Style::Unknown;
    auto setStyle = [&style](Style s) {
        if (style != Style::Unknown && style != s)
            return false;
        style = s;
        return true;
    };
    for (;;) {
        Number n;
        if (parts.size() == maxParts || !readNumber(p, end, false, n))
            return false;
        parts.push_back(n);
        if (matchUnitSign(parts.size() - 1, p, end)) {
            if (!setStyle(Style::Signs))
                return false;
            while (p != end && (isBlank(*p) || *p == L'.'))
                ++p;
        } else if (p != end && *p == L':') {
            if (!setStyle(Style::Colons))
                return false;
            ++p;
        } else if (p != end && isBlank(*p)) {
            if (!setStyle(Style::Blanks))
                return false;
            while (p != end && isBlank(*p))
                ++p;
        } else if (p != end) {
            return false;
        }
        if (p == end)
            return style == Style::Signs || parts.size() > 1;
    }
}

// "55.45.12.3456", "55.45.12,3456" or "55.45.12": degrees.minutes.seconds.
bool readDottedParts(const wchar_t* p, const wchar_t* end, std::vector<Number>& parts)
{
    std::vector<std::string> pieces(1);
    for (; p != end; ++p) {
        if (*p == L'.')
            pieces.emplace_back();
        else if (isDigit(*p) || *p == L',')
            pieces.back() += static_cast<char>(*p);
        else
            return false;
    }
    if (pieces.size() == 4) {
        if (pieces[3].empty() || pieces[3].find(',') != std::string::npos)
            return false;
        pieces[2] += ',' + pieces[3];
        pieces.pop_back();
    }
    if (pieces.size() != 3)
        return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (i < 2 && pieces[i].find(',') != std::string::npos)
            return false;
        std::wstring wide(pieces[i].begin(), pieces[i].end());
        const wchar_t* q = wide.data();
        const wchar_t* qend = q + wide.size();
        Number n;
        if (!readNumber(q, qend, false, n) || q != qend)
            return false;
        parts.push_back(n);
    }
    return true;
}

// "554512.3456": DDDMMSS with the fraction on the seconds.
bool readPackedParts(const Number& n, std::vector<Number>& parts)
{
    if (n.intDigits < 5 || n.intDigits > 7)
        return false;
    const std::size_t degreeDigits = n.intDigits - 4;
    Number d, m, s;
    d.text = n.text.substr(0, degreeDigits);
    d.intDigits = degreeDigits;
    m.text = n.text.substr(degreeDigits, 2);
    m.intDigits = 2;
    s.text = n.text.substr(degreeDigits + 2);
    s.intDigits = 2;
    s.hasFraction = n.hasFraction;
    parts = {d, m, s};
    return true;
}

// Degrees of a DMS (maxParts 3) or DMX (maxParts 2) body without sign.
bool parseSexagesimal(const wchar_t* p, const wchar_t* end, std::size_t maxParts, double& degrees)
{
    std::vector<Number> parts;
    const wchar_t* q = p;
    Number bare;
    if (readNumber(q, end, false, bare) && q == end) {
        if (!bare.hasFraction && bare.intDigits <= 3)
            return toDouble(bare.text, degrees);
        if (maxParts < 3 || !readPackedParts(bare, parts))
            return false;
    } else if (maxParts == 3 && readDottedParts(p, end, parts)) {
        // parts filled
    } else {
        parts.clear();
        if (!readSeparatedParts(p, end, maxParts, parts))
            return false;
    }
    return partsToDegrees(parts, degrees);
}

// One plain number; fromDXX also allows a closing degree sign.
bool parsePlain(const wchar_t* p, const wchar_t* end, bool degreeSign, double& value)
{
    Number n;
    if (!readNumber(p, end, true, n))
        return false;
    if (degreeSign)
        matchDegreeSign(p, end);
    return p == end && toDouble(n.text, value);
}

bool isHemisphere(wchar_t c, bool& negative)
{
    switch (c) {
    case L'N': case L'n': case L'E': case L'e':
        negative = false;
        return true;
    case L'S': case L's': case L'W': case L'w':
        negative = true;
        return true;
    default:
        return false;
    }
}

class CAngleConverter final : public RefCounted<Plugin::IAngleConverter> {
public:
    explicit CAngleConverter(Type type) : m_type(type) {}

    bool Convert(const wchar_t* text, double& value) override
    {
        double radians = 0;
        if (!text || !parseAngle(m_type, text, radians))
            return false;
        value = radians;
        return true;
    }

private:
    Type m_type;
};

class CUnitConvertersFactory final : public RefCounted<Plugin::IUnitConvertersFactory> {
public:
    // Unknown types still get a converter, one that rejects every text:
    // the plug-ins use what they receive without a null check.
    Plugin::IAngleConverter* CreateAngleConverter(Type type) override
    {
        auto* converter = new CAngleConverter(type);
        converter->AddRef();
        return converter;
    }
};

} // namespace

bool parseAngle(Type type, const std::wstring& text, double& radians)
{
    const wchar_t* p = text.data();
    const wchar_t* end = p + text.size();
    while (p != end && isBlank(*p))
        ++p;
    while (end != p && isBlank(end[-1]))
        --end;
    if (p == end)
        return false;

    bool negative = false;
    bool hemisphere = false;
    if (isHemisphere(*p, negative)) {
        hemisphere = true;
        ++p;
        while (p != end && (isBlank(*p) || *p == L'.'))
            ++p;
    } else if (isHemisphere(end[-1], negative)) {
        hemisphere = true;
        --end;
        while (end != p && (isBlank(end[-1]) || end[-1] == L'.'))
            --end;
    }
    if (p != end && (*p == L'+' || *p == L'-')) {
        if (hemisphere)
            return false;
        negative = *p == L'-';
        ++p;
    }
    if (p == end || !isDigit(*p))
        return false;

    double value = 0;
    double toRadians = 0;
    bool ok = false;
    switch (type) {
    case Type::fromRadians:
        ok = parsePlain(p, end, false, value);
        toRadians = 1.0;
        break;
    case Type::fromDXX:
        ok = parsePlain(p, end, true, value);
        toRadians = kPi / 180.0;
        break;
    case Type::fromGon:
        ok = parsePlain(p, end, false, value);
        toRadians = kPi / 200.0;
        break;
    case Type::fromMil:
        ok = parsePlain(p, end, false, value);
        toRadians = kPi / 3200.0;
        break;
    case Type::fromDMS:
        ok = parseSexagesimal(p, end, 3, value);
        toRadians = kPi / 180.0;
        break;
    case Type::fromDMX:
        ok = parseSexagesimal(p, end, 2, value);
        toRadians = kPi / 180.0;
        break;
    }
    if (!ok)
        return false;
    const double result = value * toRadians;
    if (!std::isfinite(result))
        return false;
    radians = negative ? -result : result;
    return true;
}

Plugin::IUnitConvertersFactory* createUnitConvertersFactory()
{
    auto* factory = new CUnitConvertersFactory();
    factory->AddRef();
    return factory;
}

} // namespace host
