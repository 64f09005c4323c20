// The one UTF-8 rule shared by the plug-ins, the host and the tool: what
// counts as invalid, and what each policy makes of it.
#include <gnssimport/text/Utf8.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

using text::OnInvalid;
using text::WideForm;

std::wstring units(std::initializer_list<unsigned> values)
{
    std::wstring s;
    for (unsigned v : values)
        s += static_cast<wchar_t>(v);
    return s;
}

struct DecodeCase {
    const char* what;
    std::string bytes;
    bool valid;
    std::wstring replaced; // Utf32 with U+FFFD
};

TEST(TextUtf8, DecodesStrictlyAndReplacesPerByte)
{
    const DecodeCase cases[] = {
        {"ascii and Cyrillic", "a\xD0\x9F", true, L"a\u041F"},
        {"four bytes", "\xF0\x9F\x98\x80", true, units({0x1F600})},
        {"highest code point", "\xF4\x8F\xBF\xBF", true, units({0x10FFFF})},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false, units({0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD})},
        {"overlong slash", "\xC0\xAF", false, units({0xFFFD, 0xFFFD})},
        {"overlong three bytes", "\xE0\x80\xAF", false, units({0xFFFD, 0xFFFD, 0xFFFD})},
        {"encoded surrogate", "\xED\xA0\x80", false, units({0xFFFD, 0xFFFD, 0xFFFD})},
        {"truncated at the end", "b\xF0\x9F\x98", false, units({'b', 0xFFFD, 0xFFFD, 0xFFFD})},
        {"lone continuation", "\x80z", false, units({0xFFFD, 'z'})},
        {"invalid lead", "\xFF", false, units({0xFFFD})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::isValidUtf8(c.bytes.data(), c.bytes.size()), c.valid) << c.what;
        EXPECT_EQ(text::fromUtf8(c.bytes, WideForm::Utf32, OnInvalid::Replace), c.replaced) << c.what;
        if (c.valid)
            EXPECT_EQ(text::fromUtf8(c.bytes, WideForm::Utf32, OnInvalid::Throw), c.replaced) << c.what;
        else
            EXPECT_THROW(text::fromUtf8(c.bytes, WideForm::Utf16, OnInvalid::Throw), std::range_error) << c.what;
    }
    EXPECT_EQ(text::fromUtf8("\xF0\x9F\x98\x80", WideForm::Utf16, OnInvalid::Throw), units({0xD83D, 0xDE00}));
}

struct EncodeCase {
    const char* what;
    std::wstring wide;
    std::string replaced; // with U+FFFD; the result under Throw too when valid
    bool valid;
};

TEST(TextUtf8, EncodesPairsAsOneCharacterAndRejectsLoneSurrogates)
{
    const EncodeCase cases[] = {
        {"one unit past U+FFFF", units({0x1F600}), "\xF0\x9F\x98\x80", true},
        {"surrogate pair", units({0xD83D, 0xDE00}), "\xF0\x9F\x98\x80", true},
        {"lone high at the end", units({'a', 0xD83D}), "a\xEF\xBF\xBD", false},
        {"high before a letter", units({0xD83D, 'a'}), "\xEF\xBF\xBD" "a", false},
        {"lone low", units({0xDE00}), "\xEF\xBF\xBD", false},
        {"past U+10FFFF", units({0x110000}), "\xEF\xBF\xBD", false},
        {"negative unit", units({0xFFFFFFFFu}), "\xEF\xBF\xBD", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text::toUtf8(c.wide, OnInvalid::Replace), c.replaced) << c.what;
        if (c.valid)
            EXPECT_EQ(text::toUtf8(c.wide, OnInvalid::Throw), c.replaced) << c.what;
        else
            EXPECT_THROW(text::toUtf8(c.wide, OnInvalid::Throw), std::range_error) << c.what;
    }
}

// The storage form keeps every unit as it was, surrogates included.
TEST(TextUtf8, StoredFormRoundTripsUnitForUnit)
{
    const std::wstring wide = units({'a', 0x1D11E, 0xD834, 0xDD1E, 0xDC00, 0x10FFFF});
    const std::string stored = text::toStoredUtf8(wide);
    EXPECT_EQ(text::fromStoredUtf8(stored), wide);
    EXPECT_FALSE(text::isValidUtf8(stored.data(), stored.size())); // the surrogates
    EXPECT_THROW(text::toStoredUtf8(units({0x110000})), std::range_error);
    EXPECT_THROW(text::fromStoredUtf8("\xC0\xAF"), std::range_error);
    EXPECT_THROW(text::fromStoredUtf8("\xF4\x90\x80\x80"), std::range_error);
}

} // namespace
