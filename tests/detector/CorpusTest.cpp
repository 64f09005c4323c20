// Detection on real Russian text: the corpus in each code page, as written,
// in capitals and in lower case, whole and cut into pieces. Prints the share
// detected correctly before and after capitals were folded, beside uchardet;
// long texts must always be right.
#include "CodePages.h"
#include "EncodingDetector/RussianUtf8.h"
#include "EncodingDetector/SBCSGroupProber.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <cctype>
#include <cstdio>
#include <map>

#ifdef GNSSIMPORT_HAVE_UCHARDET
#include <uchardet.h>
#endif

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

std::wstring withCase(std::wstring s, bool toUpper)
{
    for (wchar_t& c : s) {
        if (toUpper && c >= L'а' && c <= L'я')
            c = static_cast<wchar_t>(c - 0x20);
        else if (!toUpper && c >= L'А' && c <= L'Я')
            c = static_cast<wchar_t>(c + 0x20);
        else if (c == (toUpper ? L'ё' : L'Ё'))
            c = toUpper ? L'Ё' : L'ё';
    }
    return s;
}

// The sentences of the paragraphs, cut after ". ", "! " and "? ".
std::vector<std::wstring> sentences(const std::vector<std::wstring>& paragraphs)
{
    std::vector<std::wstring> out;
    for (const std::wstring& p : paragraphs) {
        std::size_t start = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const bool end = (p[i] == L'.' || p[i] == L'!' || p[i] == L'?') && (i + 1 == p.size() || p[i + 1] == L' ');
            if (end) {
                out.push_back(p.substr(start, i + 1 - start));
                start = i + 2;
            }
        }
        if (start < p.size())
            out.push_back(p.substr(start));
    }
    return out;
}

// The detector before capitals were folded: the group of probers alone.
Type unmended(const std::string& bytes)
{
    TextEncodingDetector::CSBCSGroupProber group;
    group.HandleData(bytes);
    return group.GetEncoding();
}

// uchardet's answer in upper case, or "" when it is not built in.
std::string uchardetAnswer(const std::string& bytes)
{
#ifdef GNSSIMPORT_HAVE_UCHARDET
    uchardet_t detector = uchardet_new();
    uchardet_handle_data(detector, bytes.data(), bytes.size());
    uchardet_data_end(detector);
    std::string name = uchardet_get_charset(detector);
    uchardet_delete(detector);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
#else
    (void)bytes;
    return "";
#endif
}

const char* uchardetName(Type page)
{
    switch (page) {
    case TextEncodingDetector::Encoding::koi8r:
        return "KOI8-R";
    case TextEncodingDetector::Encoding::cp866:
        return "IBM866";
    default:
        return "WINDOWS-1251";
    }
}

const bool kHaveUchardet = !uchardetAnswer("x").empty();

struct Row {
    std::string label;
    std::vector<std::wstring> samples;
};

// Right answers of one row in one code page.
struct Tally {
    std::size_t before = 0, after = 0, uchardet = 0, changed = 0, samples = 0;
    double share(std::size_t n) const { return samples ? static_cast<double>(n) / static_cast<double>(samples) : 0; }
};

// Detects every sample before and after; a text whose unmended reading
// shows both letter cases must keep its answer.
Tally tally(const std::vector<std::wstring>& samples, Type page)
{
    Tally t;
    for (const std::wstring& s : samples) {
        const std::string bytes = test::encodeCyrillic(s, page);
        const Type before = unmended(bytes);
        const Type after = DetectTextEncoding(bytes);
        if (test::letterCases(bytes, before).both()) {
            EXPECT_EQ(after, before) << test::U(s);
        }
        ++t.samples;
        t.before += before == page;
        t.after += after == page;
        t.changed += after != before;
        if (kHaveUchardet)
            t.uchardet += uchardetAnswer(bytes) == uchardetName(page);
    }
    return t;
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

// The share detected right before and after capitals were folded, beside
// uchardet, per kind of text and code page; "changed" counts the answers
// that differ from before.
TEST_F(Corpus, AccuracyTable)
{
    std::vector<Row> rows;
    const std::vector<std::wstring> sentenceList = sentences(m_paragraphs);
    for (const char* variant : {"", "CAPS ", "lower "}) {
        const auto cased = [&](std::vector<std::wstring> samples) {
            if (*variant != '\0')
                for (std::wstring& s : samples)
                    s = withCase(s, *variant == 'C');
            return samples;
        };
        const std::string v = variant;
        rows.push_back({v + "names", cased(m_short)});
        for (std::size_t words = 1; words <= 3; ++words) {
            Row row{v + "names " + std::to_string(words) + "w", {}};
            for (const std::wstring& s : m_short)
                if (wordCount(s) == words)
                    row.samples.push_back(s);
            row.samples = cased(row.samples);
            rows.push_back(row);
        }
        rows.push_back({v + "sentences", cased(sentenceList)});
        rows.push_back({v + "paragraphs", cased(m_paragraphs)});
    }
    for (std::size_t length : {20u, 50u, 100u, 200u, 400u})
        rows.push_back({"~" + std::to_string(length) + " chars", windows(m_paragraphs, length)});

    std::printf("%-17s %5s", "text", "n");
    for (Type page : test::allCodePages())
        std::printf(" | %-6s before  after uchardet changed", test::charsetName(page));
    std::printf("\n");
    std::map<std::string, std::map<Type, Tally>> tallies;
    for (const Row& row : rows) {
        ASSERT_FALSE(row.samples.empty()) << row.label;
        std::printf("%-17s %5zu", row.label.c_str(), row.samples.size());
        for (Type page : test::allCodePages()) {
            const Tally t = tallies[row.label][page] = tally(row.samples, page);
            std::printf(" |        %5.1f%% %5.1f%%", 100.0 * t.share(t.before), 100.0 * t.share(t.after));
            if (kHaveUchardet)
                std::printf("   %5.1f%%", 100.0 * t.share(t.uchardet));
            else
                std::printf("   %6s", "-");
            std::printf(" %7zu", t.changed);
        }
        std::printf("\n");
    }
    // Guards against regressions; the figures above are the measurement.
    for (Type page : test::allCodePages()) {
        SCOPED_TRACE(test::charsetName(page));
        // KOI8-R names in capitals fall short: some very short words ("ЮГ",
        // "ЯР", "ОСЬ") are byte for byte plausible Windows-1251 lower case
        // ("аз", "ст", "пуш"), tie with it, and Windows-1251 wins ties.
        const std::pair<const char*, double> capitals[] = {
            {"CAPS names", 0.94}, {"CAPS sentences", 0.95}, {"CAPS paragraphs", 0.95}};
        for (const auto& row : capitals) {
            const Tally& t = tallies[row.first][page];
            EXPECT_GE(t.share(t.after), row.second) << row.first;
        }
        for (const char* row : {"paragraphs", "~400 chars"}) {
            const Tally& t = tallies[row][page];
            EXPECT_EQ(t.after, t.samples) << row;
        }
        const Tally& t200 = tallies["~200 chars"][page];
        EXPECT_GE(t200.share(t200.after), 0.99);
    }

    // UTF-8 is none of the three pages (the file reader picks it before
    // asking the detector): what the detector answers for it.
    std::vector<std::wstring> all = m_short;
    all.insert(all.end(), m_paragraphs.begin(), m_paragraphs.end());
    std::map<Type, std::size_t> before, after;
    std::size_t uchardetUtf8 = 0, readerUtf8 = 0;
    for (const std::wstring& s : all) {
        const std::string bytes = test::U(s);
        readerUtf8 += TextEncodingDetector::IsRussianUtf8(bytes);
        for (Type page : test::allCodePages())
            EXPECT_FALSE(TextEncodingDetector::IsRussianUtf8(test::encodeCyrillic(s, page))) << test::U(s);
        ++before[unmended(bytes)];
        ++after[DetectTextEncoding(bytes)];
        uchardetUtf8 += uchardetAnswer(bytes) == "UTF-8";
    }
    std::printf("UTF-8, %zu names and paragraphs: answered", all.size());
    for (Type page : test::allCodePages())
        std::printf(" %s %zu/%zu", test::charsetName(page), before[page], after[page]);
    std::printf(" (before/after); taken as UTF-8 by the reader %zu; uchardet UTF-8 %zu\n", readerUtf8, uchardetUtf8);
    EXPECT_EQ(readerUtf8, all.size());
}

} // namespace
