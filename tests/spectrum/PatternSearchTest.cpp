// The bounded searches give what the plain patterns give on the whole text:
// random texts built from the tokens the patterns react to.
#include "Exceptions/Exceptions.h"
#include "Parser.h"
#include "Patterns.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <boost/xpressive/xpressive_dynamic.hpp>

#include <cwctype>
#include <random>

namespace {

namespace xp = boost::xpressive;
using namespace Spectrum::Patterns;

xp::wsregex plain(const std::wstring& pattern) { return xp::wsregex::compile(pattern, xp::regex_constants::icase); }

std::wstring randomText(std::mt19937& rng, const std::vector<std::wstring>& tokens, int maxTokens)
{
    std::wstring text;
    for (int n = static_cast<int>(rng() % static_cast<unsigned>(maxTokens)); n > 0; --n)
        text += tokens[rng() % tokens.size()];
    return text;
}

class SpectrumPatterns : public ::testing::Test {
protected:
    SpectrumPatterns() { m_target.SetCurrentFile(L"report.txt"); }
    host::RecordingTarget m_target;
    CParser m_parser{&m_target};
    std::mt19937 m_rng{20240611};
};

TEST_F(SpectrumPatterns, SearchTokenAgreesWithThePlainPattern)
{
    const std::vector<std::wstring> tokens = {L"X", L"y", L":", L" ", L"\t", L"\n", L"&", L"1", L"a", L"dX", L"dy",
                                              L"dZ", L"Z", L"(", L")", L"[", L"]", L"BASE STATION (", L"  ", L"\n\n"};
    for (const std::wstring& pattern :
         {m_parser.BaseStation() + s_stationName, s_bracketField, s_firstCoordinate, s_secondCoordinate,
          s_thirdCoordinate, s_deltaX, s_deltaY, s_deltaZ, s_varianceX, s_varianceY, s_varianceZ}) {
        const xp::wsregex reference = plain(pattern);
        for (int i = 0; i < 4000; ++i) {
            const std::wstring text = randomText(m_rng, tokens, 20);
            xp::wsmatch match;
            const bool expected = xp::regex_search(text, match, reference);
            std::wstring cursor = text, value = L"unchanged";
            ASSERT_EQ(m_parser.SearchToken2(pattern, cursor, value), expected) << test::U(pattern + L" in " + text);
            ASSERT_EQ(cursor, expected ? match.suffix().str() : text);
            ASSERT_EQ(value, expected ? match[1].str() : L"unchanged");
        }
    }
}

// The height is what the height pattern, searched from where the Z search
// starts, gives when its "Hgt:" lies on the line where the Z match begins.
TEST_F(SpectrumPatterns, HeightAgreesWithThePlainPatternOnTheZLine)
{
    const std::vector<std::wstring> tokens = {L"Z", L"z", L":", L" ", L" ", L"\t", L"\n", L"Hgt:", L"hgt:", L"H", L"x",
                                              L"1", L"&", L"Z: ", L"Hgt: ", L"  ", L"Z:   Hgt: ", L"\nZ:", L"5 m\n"};
    const xp::wsregex third = plain(s_thirdCoordinate), height = plain(s_height);
    int heights = 0;
    for (int i = 0; i < 40000; ++i) {
        const std::wstring text = (i % 2 ? L"Z:" : L"") + randomText(m_rng, tokens, 24);
        xp::wsmatch z, h;
        std::wstring expected;
        const bool found = xp::regex_search(text, z, third);
        if (found && xp::regex_search(text, h, height)) {
            auto labelEnd = h[1].first;
            while (labelEnd != text.begin() && std::iswspace(static_cast<wint_t>(labelEnd[-1])))
                --labelEnd;
            if (labelEnd <= std::find(z[0].first, text.cend(), L'\n'))
                expected = h[1].str();
        }
        std::wstring cursor = L"X: 1 m\nY: 2 m\n" + text, x, y, zValue, heightValue;
        if (!found) {
            EXPECT_THROW(m_parser.ParseXYZ(cursor, x, y, zValue, heightValue), CInvalidFileFormatException);
            continue;
        }
        m_parser.ParseXYZ(cursor, x, y, zValue, heightValue);
        ASSERT_EQ(zValue, z[1].str());
        ASSERT_EQ(heightValue, expected) << test::U(text);
        heights += !expected.empty();
    }
    EXPECT_GT(heights, 1000);
}

} // namespace
