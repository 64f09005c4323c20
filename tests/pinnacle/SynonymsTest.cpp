// The synonym table: every synonym found after the table has grown many
// times, a later long name replacing an earlier one, other names not found.
#include "Synonyms.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
