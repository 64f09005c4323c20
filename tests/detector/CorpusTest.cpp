// Detection on real Russian text: the corpus in each code page, cut into
// pieces of growing length. Prints the share detected correctly per length
// and code page; long texts must always be right.
#include "CodePages.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <cstdio>
#include <map>

namespace {

using TextEncodingDetector::DetectTextEncoding;
using TextEncodingDetector::Encoding::Type;

std::wstring readCorpus(const char* name)
{
    return test::W(test::readBytes(std::filesystem::path(DETECTOR_CORPUS_DIR) / name));
}

std::vector<std::wstring> nonEmptyLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    boost::algorithm::split(lines, text, [](wchar_t c) { return c == L'\n'; });
    std::vector<std::wstring> out;
    for (auto& line : lines)
        if (!boost::algorithm::trim_copy(line).empty())
            out.push_back(line);
    return out;
}

std::size_t wordCount(const std::wstring& s)
{
    std::size_t n = 0;
    bool inWord = false;
    for (wchar_t c : s) {
        const bool blank = c == L' ';
        if (!blank && !inWord)
            ++n;
        inWord = !blank;
    }
    return n;
}

// Pieces of the paragraphs of about `length` characters: windows starting
// at every fifth word, cut back to the last whole word.
std::vector<std::wstring> windows(const std::vector<std::wstring>& paragraphs, std::size_t length)
{
    std::vector<std::wstring> out;
    for (const std::wstring& p : paragraphs) {
        std::size_t word = 0;
        for (std::size_t start = 0; start < p.size(); ++start) {
            if (start != 0 && p[start - 1] != L' ')
                continue;
            if (word++ % 5 != 0 || start + length > p.size())
                continue;
            std::wstring piece = p.substr(start, length);
            const std::size_t cut = piece.find_last_of(L' ');
            if (start + length < p.size() && p[start + length] != L' ' && cut != std::wstring::npos)
                piece.erase(cut);
            out.push_back(piece);
        }
    }
    return out;
}

// Point names are often written in capitals. The letter-pair statistics
// are those of lower-case text, so capitals alone are expected to fail.
std::wstring upper(std::wstring s)
{
    for (wchar_t& c : s) {
        if (c >= L'а' && c <= L'я')
            c = static_cast<wchar_t>(c - 0x20);
        else if (c == L'ё')
            c = L'Ё';
    }
    return s;
}

struct Row {
    std::string label;
    std::vector<std::wstring> samples;
};

double shareDetected(const std::vector<std::wstring>& samples, Type page)
{
    if (samples.empty())
        return 0;
    std::size_t right = 0;
    for (const std::wstring& s : samples)
        right += DetectTextEncoding(test::encodeCyrillic(s, page)) == page;
    return static_cast<double>(right) / static_cast<double>(samples.size());
}

class Corpus : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_paragraphs = nonEmptyLines(readCorpus("paragraphs.txt"));
        m_short = nonEmptyLines(readCorpus("short.txt"));
        ASSERT_GE(m_paragraphs.size(), 10u);
        ASSERT_GE(m_short.size(), 50u);
    }
    std::vector<std::wstring> m_paragraphs;
    std::vector<std::wstring> m_short;
};

// The code page tables of the tests agree with the host's iconv, and the
// corpus holds nothing they cannot write.
TEST_F(Corpus, EncodesLosslesslyInEveryCodePage)
{
    host::CharsetConverter iconv;
    std::vector<std::wstring> all = m_paragraphs;
    all.insert(all.end(), m_short.begin(), m_short.end());
    std::wstring alphabet = L"Ёё";
    for (wchar_t c = L'А'; c <= L'я'; ++c)
        alphabet += c;
    all.push_back(alphabet);
    for (Type page : test::allCodePages()) {
        for (const std::wstring& text : all) {
            const std::string bytes = test::encodeCyrillic(text, page);
            std::wstring back;
            ASSERT_TRUE(iconv.convert(test::charsetName(page), bytes.data(), bytes.size(), back));
            EXPECT_EQ(back, text) << test::charsetName(page);
        }
    }
}

TEST_F(Corpus, LongTextIsAlwaysRight)
{
    std::wstring whole;
    for (const std::wstring& p : m_paragraphs)
        whole += p + L"\r\n";
    for (Type page : test::allCodePages()) {
        EXPECT_EQ(DetectTextEncoding(test::encodeCyrillic(whole, page)), page) << test::charsetName(page);
        for (const std::wstring& p : m_paragraphs)
            EXPECT_EQ(DetectTextEncoding(test::encodeCyrillic(p, page)), page) << test::charsetName(page);
    }
}

TEST_F(Corpus, ShareDetectedByLength)
{
    std::vector<Row> rows;
    for (std::size_t words = 1; words <= 3; ++words) {
        Row row{std::to_string(words) + (words == 1 ? " word" : " words"), {}};
        for (const std::wstring& s : m_short)
            if (wordCount(s) == words)
                row.samples.push_back(s);
        rows.push_back(row);
    }
    Row caps{"CAPS 1-3 w.", {}};
    for (const std::wstring& s : m_short)
        caps.samples.push_back(upper(s));
    rows.push_back(caps);
    Row capsLong{"CAPS ~100 ch", windows(m_paragraphs, 100)};
    for (std::wstring& s : capsLong.samples)
        s = upper(s);
    rows.push_back(capsLong);
    for (std::size_t length : {20u, 50u, 100u, 200u, 400u})
        rows.push_back({"~" + std::to_string(length) + " chars", windows(m_paragraphs, length)});
    rows.push_back({"paragraph", m_paragraphs});

    std::printf("%-12s %8s %8s %8s %8s\n", "text", "samples", "CP1251", "KOI8-R", "CP866");
    std::map<std::string, std::map<Type, double>> shares;
    for (const Row& row : rows) {
        ASSERT_FALSE(row.samples.empty()) << row.label;
        std::printf("%-12s %8zu", row.label.c_str(), row.samples.size());
        for (Type page : test::allCodePages()) {
            shares[row.label][page] = shareDetected(row.samples, page);
            std::printf(" %7.1f%%", 100.0 * shares[row.label][page]);
        }
        std::printf("\n");
    }
    // Guards against regressions; the figures above are the measurement.
    for (Type page : test::allCodePages()) {
        EXPECT_GE(shares["~200 chars"][page], 0.99) << test::charsetName(page);
        EXPECT_GE(shares["~400 chars"][page], 1.0) << test::charsetName(page);
    }
}

} // namespace
