// stringToDouble against the plain rule it stands for (decimal marks made
// the locale's, then std::stod; 0 for no number, out of range, infinity or
// NaN), bit for bit, on many random texts: the fast path must never read a
// number differently from the C library.
#include "CommonHelpers/Utils.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

double reference(std::wstring s)
{
    const char* point = std::localeconv()->decimal_point;
    const wchar_t mark = (point && *point) ? static_cast<wchar_t>(static_cast<unsigned char>(*point)) : L'.';
    for (wchar_t& c : s) {
        if ((c == L',' || c == L'.') && c != mark)
            c = mark;
    }
    try {
        const double value = std::stod(s);
        return std::isfinite(value) ? value : 0.0;
    } catch (const std::invalid_argument&) {
        return 0.0;
    } catch (const std::out_of_range&) {
        return 0.0;
    }
}

std::uint64_t bits(double value)
{
    std::uint64_t b;
    std::memcpy(&b, &value, sizeof b);
    return b;
}

// Texts of random characters that numbers are made of, and of some they
// are not: signs, marks, exponents, hexadecimal, infinity, white space.
std::wstring randomText(std::mt19937_64& random)
{
    static const wchar_t alphabet[] = L"0123456789000999.,.,-+eEeE xX\tinfINFnaNyYp\n\r\v\x00A0\x0416\x3000";
    std::uniform_int_distribution<std::size_t> length(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet / sizeof alphabet[0] - 2);
    std::wstring text(length(random), L' ');
    for (wchar_t& c : text)
        c = alphabet[pick(random)];
    return text;
}

// Appends digits, and half the time either mark and more digits; each run
// of digits as long as digits draws.
void appendMantissa(std::mt19937_64& random, std::uniform_int_distribution<int>& digits, std::wstring& text)
{
    std::uniform_int_distribution<int> coin(0, 1), digit(0, 9);
    for (int i = digits(random); i > 0; --i)
        text += static_cast<wchar_t>(L'0' + digit(random));
    if (coin(random)) {
        text += coin(random) ? L'.' : L',';
        for (int i = digits(random); i > 0; --i)
            text += static_cast<wchar_t>(L'0' + digit(random));
    }
}

// Well-formed numbers of every size: long mantissas, exponents near and
// beyond the limits of double, either mark, blanks and trailing text.
std::wstring randomNumber(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> coin(0, 1), digits(0, 30), small(0, 5);
    std::wstring text(static_cast<std::size_t>(small(random) == 0 ? small(random) : 0), L' ');
    if (coin(random))
        text += coin(random) ? L'-' : L'+';
    appendMantissa(random, digits, text);
    if (coin(random)) {
        text += coin(random) ? L'e' : L'E';
        if (coin(random))
            text += coin(random) ? L'-' : L'+';
        std::uniform_int_distribution<int> exponent(0, small(random) == 0 ? 99999 : 330);
        text += std::to_wstring(exponent(random));
    }
    if (small(random) == 0)
        text += coin(random) ? L"m" : L",5";
    return text;
}

// Numbers as the exports write them: up to 17 digits in all, a short
// exponent of up to four digits now and then, blanks before, and a field's
// end or other text after; the digit runs cross every four-character step.
std::wstring exportNumber(std::mt19937_64& random)
{
    std::uniform_int_distribution<int> coin(0, 1), digits(0, 9), small(0, 5), exponent(0, 30);
    std::wstring text(static_cast<std::size_t>(small(random) == 0 ? small(random) : 0), small(random) ? L' ' : L'\t');
    if (small(random) < 2)
        text += small(random) ? L'-' : L'+';
    appendMantissa(random, digits, text);
    if (small(random) < 2) {
        text += coin(random) ? L'e' : L'E';
        if (coin(random))
            text += coin(random) ? L'-' : L'+';
        const std::wstring value = std::to_wstring(exponent(random));
        // Now and then padded with zeros to four digits.
        const int zeros = small(random) == 0 ? 4 - std::min<int>(4, static_cast<int>(value.size())) : 0;
        text += std::wstring(static_cast<std::size_t>(zeros), L'0') + value;
    }
    if (small(random) == 0) {
        static const wchar_t* const tails[] = {L"x", L"e", L"E+", L" m", L"*", L",5", L".5", L"0x1"};
        text += tails[static_cast<std::size_t>(small(random)) % (sizeof tails / sizeof tails[0])];
    }
    return text;
}

// What printf writes for random doubles, subnormal and huge ones included.
std::wstring printedDouble(std::mt19937_64& random)
{
    std::uniform_int_distribution<std::uint64_t> any;
    std::uniform_int_distribution<int> precision(0, 20), style(0, 2);
    double value;
    const std::uint64_t b = any(random);
    std::memcpy(&value, &b, sizeof value);
    if (!std::isfinite(value))
        value = 1.0;
    char text[512];
    const char* formats[] = {"%.*g", "%.*e", "%.*f"};
    const int n = std::snprintf(text, sizeof text, formats[style(random)], precision(random), value);
    std::wstring wide(text, text + (n > 0 && n < static_cast<int>(sizeof text) ? n : 0));
    if (style(random) == 0)
        for (wchar_t& c : wide)
            if (c == L'.')
                c = L',';
    return wide;
}

void compareMany(const char* where)
{
    std::mt19937_64 random(20240611);
    std::vector<std::wstring> texts = {L"2.2250738585072011e-308", L"2.2250738585072014e-308", L"4.9e-324",
                                       L"1.7976931348623157e308", L"1.7976931348623159e308", L"0e99999",
                                       L"-0.000", L"0x1p3", L"00x1", L"-.5", L"1.e5", L"1e+", L"1,2.3e2"};
    for (int i = 0; i < 100000; ++i) {
        texts.push_back(randomText(random));
        texts.push_back(randomNumber(random));
        texts.push_back(printedDouble(random));
        texts.push_back(exportNumber(random));
    }
    int failures = 0;
    for (const auto& text : texts) {
        const double expected = reference(text);
        const double actual = Plugin::Utils::stringToDouble(text);
        if (bits(actual) != bits(expected) && ++failures <= 10)
            ADD_FAILURE() << where << ": \"" << test::U(text) << "\" gave " << actual << ", not " << expected;
    }
    EXPECT_EQ(failures, 0);
}

TEST(StringToDoubleDifferential, AgreesWithTheLibraryBitForBit)
{
    compareMany("C locale");
}

TEST(StringToDoubleDifferential, AgreesUnderCommaDecimalLocale)
{
    const char* name = test::commaDecimalLocale();
    if (!name)
        GTEST_SKIP() << "no comma-decimal locale installed";
    test::CLocaleGuard guard(name);
    compareMany(name);
}

TEST(StringToDoubleDifferential, AgreesUnderAnotherRoundingMode)
{
    const int previous = std::fegetround();
    ASSERT_EQ(std::fesetround(FE_UPWARD), 0);
    const double value = Plugin::Utils::stringToDouble(L"0.1");
    const double expected = reference(L"0.1");
    std::fesetround(previous);
    EXPECT_EQ(bits(value), bits(expected));
}

} // namespace
