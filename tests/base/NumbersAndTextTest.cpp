// Number reading and text conversion helpers.
#include "CommonHelpers/LocaleSpace.h"
#include "CommonHelpers/TargetCharConverter.h"
#include "CommonHelpers/Utils.h"
#include "CommonHelpers/strutils.h"
#include "PluginHelpers/TargetHelpers.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using Plugin::Utils::stringToDouble;

struct NumberCase {
    const wchar_t* text;
    double value;
};

const NumberCase kNumbers[] = {
    {L"1,5", 1.5},       {L"1.5", 1.5},           {L"abc", 0.0},       {L"12abc", 12.0},
    {L"  -3.25", -3.25}, {L"36.558", 36.558},     {L"36,558", 36.558}, {L"1e3", 1000.0},
    {L"", 0.0},          {L"1e999", 0.0},         {L"inf", 0.0},       {L"-Infinity", 0.0},
    {L"NaN", 0.0},       {L"nan(123)", 0.0},      {L"+INF", 0.0},      {L"1,2.3", 1.2},
    {L"5.", 5.0},        {L",5", 0.5},            {L"-0", 0.0},        {L"7 8", 7.0},
};

TEST(StringToDouble, ReadsEitherDecimalMarkAndNeverFails)
{
    for (const auto& c : kNumbers)
        EXPECT_EQ(stringToDouble(c.text), c.value) << test::U(c.text);
}

TEST(StringToDouble, EitherMarkUnderLocaleWithAnotherDecimalPoint)
{
    // Pashto writes the point as U+066B: plain numbers still read
    // with "." or "," and keep their fraction.
    const char* name = nullptr;
    for (const char* candidate : {"ps_AF.UTF-8", "ps_AF.utf8"}) {
        test::CLocaleGuard probe(candidate);
        if (probe.ok()) {
            name = candidate;
            break;
        }
    }
    if (!name)
        GTEST_SKIP() << "no locale with another decimal point installed (generate ps_AF.UTF-8 with localedef)";
    test::CLocaleGuard guard(name);
    ASSERT_TRUE(guard.ok());
    ASSERT_STRNE(std::localeconv()->decimal_point, ".");
    for (const auto& c : kNumbers)
        EXPECT_EQ(stringToDouble(c.text), c.value) << test::U(c.text);
}

TEST(StringToDouble, SameResultsUnderCommaDecimalLocale)
{
    const char* name = test::commaDecimalLocale();
    if (!name)
        GTEST_SKIP() << "no comma-decimal locale installed (generate ru_RU.UTF-8 with localedef)";
    test::CLocaleGuard guard(name);
    ASSERT_TRUE(guard.ok());
    for (const auto& c : kNumbers)
        EXPECT_EQ(stringToDouble(c.text), c.value) << test::U(c.text) << " under " << name;
}

TEST(Utf8, RoundTripsAndRejectsInvalidInput)
{
    const std::string text = "Пункт-1 \xF0\x9F\x98\x80"; // Cyrillic and an emoji beyond U+FFFF
    const std::wstring wide = strutils::fromUtf8(text);
    ASSERT_EQ(wide.size(), 10u); // the emoji becomes a surrogate pair
    EXPECT_EQ(wide[8], static_cast<wchar_t>(0xD83D));
    EXPECT_EQ(strutils::toUtf8(wide), text);

    EXPECT_THROW(strutils::fromUtf8("\xFF"), std::range_error);
    EXPECT_THROW(strutils::fromUtf8("\xD0"), std::range_error);
    EXPECT_THROW(strutils::fromUtf8("\xC0\xAF"), std::range_error);
    EXPECT_THROW(strutils::toUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), std::range_error);
    EXPECT_THROW(strutils::toUtf8(std::wstring(1, static_cast<wchar_t>(0xDC00))), std::range_error);
}

TEST(FromLocal8Bit, StopsAtFirstUndecodableByte)
{
    test::CLocaleGuard guard("C.UTF-8");
    if (!guard.ok())
        GTEST_SKIP() << "C.UTF-8 locale missing";
    EXPECT_EQ(strutils::fromLocal8Bit("Точка"), L"Точка");
    EXPECT_EQ(strutils::fromLocal8Bit("ab\xFF" "cd"), L"ab");
    EXPECT_EQ(strutils::fromLocal8Bit(std::string("ab\0cd", 5)), L"ab");
}

TEST(Format1, ReplacesPlaceholderWithoutLimit)
{
    const std::wstring name(5000, L'x');
    EXPECT_EQ(strutils::format1(L"Имя %ls.", name), L"Имя " + name + L".");
    EXPECT_EQ(strutils::format1(L"no placeholder", L"x"), L"no placeholder");
}

// A target whose ConvertBytes answers with a fixed result and records the charset.
class FakeTarget3 : public host::RecordingTarget {
public:
    explicit FakeTarget3(int result) : m_result(result) {}
    int ConvertBytes(const wchar_t*, const wchar_t* charset, Plugin::IByteArray* data) override
    {
        charsets.push_back(charset);
        if (m_result == 0) {
            const wchar_t text[] = L"ok";
            data->assign(reinterpret_cast<const char*>(text), 2 * sizeof(wchar_t) + 3); // trailing partial unit
        }
        return m_result;
    }
    std::vector<std::wstring> charsets;

private:
    int m_result;
};

TEST(TargetCharConverter, UsesHostConversionWithCharset)
{
    FakeTarget3 target(0);
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(&target, L"CP866");
    EXPECT_EQ(converter.convertString("\x8F"), L"ok"); // partial last unit dropped
    ASSERT_EQ(target.charsets.size(), 1u);
    EXPECT_EQ(target.charsets[0], L"CP866");
}

TEST(TargetCharConverter, FailingHostConversionGivesEmptyLine)
{
    FakeTarget3 target(1);
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(&target, L"CP1251");
    EXPECT_EQ(converter.convertString("abc"), L"");
    // A line decoded into storage that held a longer one comes out empty too.
    std::wstring line = L"an earlier, longer line";
    converter.convertInto("abc", 3, line);
    EXPECT_EQ(line, L"");
}

TEST(TargetCharConverter, ReusedLineHoldsOnlyTheNewText)
{
    host::RecordingTarget target;
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(&target, L"CP1251");
    std::wstring line;
    for (const std::string bytes : {"a longer first line", "short", "", "mid-length"}) {
        converter.convertInto(bytes.data(), bytes.size(), line);
        EXPECT_EQ(line, std::wstring(bytes.begin(), bytes.end()));
    }
}

TEST(TargetCharConverter, WithoutTargetDecodesByLocale)
{
    test::CLocaleGuard guard("C.UTF-8");
    if (!guard.ok())
        GTEST_SKIP() << "C.UTF-8 locale missing";
    Plugin::TargetCharConverter<Plugin::ISatImportTarget3> converter;
    converter.resetTarget(nullptr, L"CP1251");
    EXPECT_EQ(converter.convertString("Пункт"), L"Пункт");
}

// Every text of up to nine characters over {a , ;} (separators at every
// position, next to each other, at both ends, across the four- and
// eight-character steps of the scans) splits as a plain character-by-
// character reference does.
std::vector<std::wstring> referenceSplit(const std::wstring& text, const std::wstring& separators)
{
    std::vector<std::wstring> fields(1);
    for (wchar_t c : text) {
        if (separators.find(c) != std::wstring::npos)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

TEST(SplitInto, MatchesReferenceOnEveryShortText)
{
    const wchar_t alphabet[] = {L'a', L',', L';'};
    std::vector<std::wstring> strings;
    std::vector<strutils::TextRange> ranges;
    for (std::size_t length = 0; length <= 9; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i)
            count *= 3;
        for (std::size_t code = 0; code < count; ++code) {
            std::wstring text;
            for (std::size_t rest = code, i = 0; i < length; ++i, rest /= 3)
                text += alphabet[rest % 3];
            for (const std::wstring separators : {L",", L",;"}) {
                const auto expected = referenceSplit(text, separators);
                strutils::splitInto(text, separators, strings);
                ASSERT_EQ(strings, expected) << test::U(text);
                strutils::splitInto(text.data(), text.data() + text.size(), separators, ranges);
                ASSERT_EQ(ranges.size(), expected.size()) << test::U(text);
                for (std::size_t i = 0; i < ranges.size(); ++i)
                    ASSERT_EQ(ranges[i].str(), expected[i]) << test::U(text);
                if (separators.size() == 1) {
                    strutils::detail::splitIntoBaseline(text.data(), text.data() + text.size(), separators[0], ranges);
                    ASSERT_EQ(ranges.size(), expected.size()) << test::U(text);
                    for (std::size_t i = 0; i < ranges.size(); ++i)
                        ASSERT_EQ(ranges[i].str(), expected[i]) << test::U(text);
                }
            }
        }
    }
}

// The vector skip over visible ASCII stops where a character by character
// look at the facet stops, for characters on both sides of every bound.
TEST(LocaleSpace, SkipNonSpaceStopsAtTheFirstWhiteSpace)
{
    const wchar_t alphabet[] = {L'a', L'!', L'~', L' ', L'\t', L'\n', L'\x7F', L'\x80', L'\xA0',
                                L'\x3000', static_cast<wchar_t>(-1), L'\0', L'\x20', L'\x21'};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet / sizeof alphabet[0] - 1), length(0, 13);
    std::uniform_int_distribution<int> plain(0, 3);
    std::vector<std::locale> locales{std::locale::classic()};
    if (const char* name = test::commaDecimalLocale())
        locales.emplace_back(name);
    for (const std::locale& locale : locales) {
        const strutils::LocaleSpace isSpace(locale);
        for (int i = 0; i < 20000; ++i) {
            std::wstring text(length(random), L'x');
            for (wchar_t& c : text)
                c = plain(random) ? L'x' : alphabet[pick(random)];
            const wchar_t* end = text.data() + text.size();
            const wchar_t* expected = text.data();
            while (expected != end && !isSpace(*expected))
                ++expected;
            ASSERT_EQ(isSpace.SkipNonSpace(text.data(), end), expected) << test::U(text);
        }
    }
}

// Line indexes past INT_MAX stay at INT_MAX rather than turning negative.
TEST(LineNumber, ClampsAtIntMax)
{
    const std::size_t big = static_cast<std::size_t>(INT_MAX);
    const std::pair<std::size_t, int> cases[] = {
        {0, 0}, {big - 1, INT_MAX - 1}, {big, INT_MAX}, {big + 1, INT_MAX}, {SIZE_MAX, INT_MAX}};
    for (const auto& c : cases)
        EXPECT_EQ(Plugin::Utils::lineNumber(c.first), c.second) << c.first;
}

} // namespace
