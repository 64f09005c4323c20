// The synonym table: every synonym found after the table has grown many
// times, a later long name replacing an earlier one, other names not found.
#include "Synonyms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(Synonyms, FindsEverySynonymAndOnlyThose)
{
    CSynonyms synonyms;
    EXPECT_EQ(synonyms.Find(L"S1"), nullptr);
    for (int i = 0; i < 5000; ++i)
        synonyms.Set(L"S" + std::to_wstring(i), L"Long name " + std::to_wstring(i));
    synonyms.Set(L"S7", L"Later long name");
    synonyms.Set(L"", L"Empty synonym");
    for (int i = 0; i < 5000; ++i) {
        const wchar_t* found = synonyms.Find(L"S" + std::to_wstring(i));
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(std::wstring(found), i == 7 ? L"Later long name" : L"Long name " + std::to_wstring(i));
    }
    ASSERT_NE(synonyms.Find(L""), nullptr);
    EXPECT_EQ(std::wstring(synonyms.Find(L"")), L"Empty synonym");
    for (const wchar_t* other : {L"S5000", L"s1", L"S1 ", L"GPS0001", L"Long name 1"})
        EXPECT_EQ(synonyms.Find(other), nullptr) << other;
}

// Short Latin-1 synonyms are held in their slots, others by hash: both
// kinds side by side, of every length around eight characters, with NULs,
// Cyrillic and names that differ only in length or in one character.
TEST(Synonyms, ShortAndLongSynonymsSideBySide)
{
    CSynonyms synonyms;
    std::vector<std::wstring> names;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring digits = std::to_wstring(i);
        names.push_back(digits);                                 // up to 4 characters
        names.push_back(L"PT" + std::wstring(6 - std::min<std::size_t>(6, digits.size()), L'0') + digits); // 8
        names.push_back(L"LONGNAME" + digits);                   // 9 and more
        names.push_back(L"\u041F" + digits);                     // Cyrillic
        names.push_back(std::wstring(L"a\0", 2) + digits);       // NUL inside
        names.push_back(L"\u00E9t\u00E9" + digits);               // Latin-1 above ASCII
    }
    for (std::size_t i = 0; i < names.size(); ++i)
        synonyms.Set(names[i], L"long " + std::to_wstring(i));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const wchar_t* found = synonyms.Find(names[i]);
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(std::wstring(found), L"long " + std::to_wstring(i)) << i;
    }
    for (const std::wstring& other : {std::wstring(L"PT"), std::wstring(L"PT0000000"), std::wstring(L"a"),
                                      std::wstring(L"LONGNAME"), std::wstring(L"\u041F"), std::wstring(L"3000"),
                                      std::wstring(L"\u00E9t\u00E9"), std::wstring(L"a\0", 2), std::wstring(L"PT00000\u0100")})
        EXPECT_EQ(synonyms.Find(other), nullptr) << testing::PrintToString(other);
}

} // namespace
