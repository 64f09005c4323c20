// vector.dat through the real plug-in: the two records of a baseline, the
// covariance line, synonyms and files cut short.
#include "PinnacleTrace.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using pinnacle::importFiles;
using pinnacle::trace;
using Trace = std::vector<std::string>;

const std::string kFirst = "x*R1*B1*y*z*1.5*-2.25*0.75\n";
const std::string kSecond = "0.0004 0 0.0009 0 0 0.0016\n";
const Trace kOpened = {"VectorOrigin(B1)", "VectorTarget(R1)", "DeltaX=1.5", "DeltaY=-2.25", "DeltaZ=0.75"};
const Trace kClosed = {"SigmaX=0.02", "SigmaY=0.03", "SigmaZ=0.04", "RMS=0.0538516", "Factor=1"};

class VectorDat : public ::testing::TestWithParam<bool> {
protected:
    pinnacle::Imported import(const std::string& content) const { return importFiles({{"vector.dat", content}}, GetParam()); }
};

void expectBaseline(const host::ImportedVector& v)
{
    EXPECT_EQ(v.origin, L"B1");
    EXPECT_EQ(v.target, L"R1");
    EXPECT_DOUBLE_EQ(*v.dx(), 1.5);
    EXPECT_DOUBLE_EQ(*v.dy(), -2.25);
    EXPECT_DOUBLE_EQ(*v.dz(), 0.75);
    ASSERT_TRUE(v.sigmaX() && v.sigmaY() && v.sigmaZ() && v.rms() && v.factor());
    EXPECT_DOUBLE_EQ(*v.sigmaX(), std::sqrt(0.0004));
    EXPECT_DOUBLE_EQ(*v.sigmaY(), std::sqrt(0.0009));
    EXPECT_DOUBLE_EQ(*v.sigmaZ(), std::sqrt(0.0016));
    EXPECT_DOUBLE_EQ(*v.rms(), std::sqrt(0.0004 + 0.0009 + 0.0016));
    EXPECT_DOUBLE_EQ(*v.factor(), 1.0);
}

TEST_P(VectorDat, TwoRecordsMakeOneBaseline)
{
    auto r = import(":::\n" + kFirst + kSecond);
    Trace expected = {"File(vector.dat)"};
    expected.insert(expected.end(), kOpened.begin(), kOpened.end());
    expected.push_back("Line(2)");
    expected.insert(expected.end(), kClosed.begin(), kClosed.end());
    expected.insert(expected.end(), {"Line(3)", "Progress(100)"});
    EXPECT_EQ(trace(r.target), expected);
    ASSERT_EQ(r.target.files().size(), 1u);
    ASSERT_EQ(r.target.files()[0].vectors.size(), 1u);
    expectBaseline(r.target.files()[0].vectors[0]);
    EXPECT_EQ(pinnacle::hostWarnings(r.target), 0u);
}

// Lines that are skipped between the two records of a baseline, and the
// white space the covariance numbers may be separated by.
TEST_P(VectorDat, AcceptedLayouts)
{
    const std::string contents[] = {
        ":::\n" + kFirst + "\n" + kSecond,
        ":::\n" + kFirst + ":::\n" + kSecond,
        ":::\n" + kFirst + "   \n::: \n\t\n" + kSecond + "  \n",
        ":::\n" + kFirst + "0.0004\t0\t0.0009\t0\t0\t0.0016\n",
        ":::\n" + kFirst + "  0.0004   0 \t 0.0009  0\t\t0   0.0016  \n",
        ":::\n" + kFirst + "0.0004 0 0.0009 0 0 0.0016 99 -5\n",
        ":::\r\n" + kFirst.substr(0, kFirst.size() - 1) + "\r\n" + kSecond.substr(0, kSecond.size() - 1) + "\r\n",
        ":::\n" + kFirst + "0,0004 0 0,0009 0 0 0,0016\n",
    };
    for (const auto& content : contents) {
        SCOPED_TRACE(content);
        auto r = import(content);
        ASSERT_EQ(r.target.files().size(), 1u);
        const auto& file = r.target.files()[0];
        EXPECT_FALSE(file.hasErrors());
        ASSERT_EQ(file.vectors.size(), 1u);
        expectBaseline(file.vectors[0]);
        EXPECT_EQ(file.progress, std::vector<float>{100.0f});
    }
}

// Covariances may be negative, variances not: a negative variance ends the
// file after the first record's events and before any of the second's.
TEST_P(VectorDat, NegativeNumbersInTheCovariance)
{
    struct Case {
        const char* second;
        bool fails;
    };
    const Case cases[] = {
        {"-0.0004 0 0.0009 0 0 0.0016", true},
        {"0.0004 0 -0.0009 0 0 0.0016", true},
        {"0.0004 0 0.0009 0 0 -0.0016", true},
        {"0.0004 -0.0001 0.0009 -0.0002 -0.0003 0.0016", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.second);
        auto r = import(":::\n" + kFirst + c.second + "\n" + kFirst + kSecond);
        if (c.fails) {
            Trace expected = {"File(vector.dat)"};
            expected.insert(expected.end(), kOpened.begin(), kOpened.end());
            expected.insert(expected.end(), {"Line(2)", "Error(Неизвестный формат файла)"});
            EXPECT_EQ(trace(r.target), expected);
        } else {
            ASSERT_EQ(r.target.files().size(), 1u);
            EXPECT_FALSE(r.target.files()[0].hasErrors());
            EXPECT_EQ(r.target.files()[0].vectors.size(), 2u);
        }
    }
}

// Records short of a field end the file before anything of them is sent.
TEST_P(VectorDat, ShortRecordsEndTheFile)
{
    struct Case {
        std::string content;
        std::size_t vectorsOpened;
    };
    const Case cases[] = {
        {":::\nx*R1\n" + kSecond, 0},
        {":::\nx*R1*B1*y*z*1.5*-2.25\n" + kSecond, 0},
        {":::\n" + kFirst + "0.0004 0 0.0009 0 0\n", 1},
        {":::\n" + kFirst + "0.0004*0*0.0009*0*0*0.0016\n", 1},
        {":::\n" + kFirst + "0.0004;0;0.0009;0;0;0.0016\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content);
        auto r = import(c.content + kFirst + kSecond);
        ASSERT_EQ(r.target.files().size(), 1u);
        const auto& file = r.target.files()[0];
        ASSERT_EQ(file.messages.size(), 1u);
        EXPECT_EQ(file.messages[0].text, L"Неизвестный формат файла");
        EXPECT_EQ(file.vectors.size(), c.vectorsOpened);
        if (c.vectorsOpened) {
            EXPECT_FALSE(file.vectors[0].sigmaX());
        }
        EXPECT_TRUE(file.progress.empty());
    }
}

// Unreadable numbers become 0, which passes the variance test.
TEST_P(VectorDat, UnreadableNumbersAreZero)
{
    auto r = import(":::\nx*R1*B1*y*z*a**1e999\nnone of these six are numbers\n");
    ASSERT_EQ(r.target.files().size(), 1u);
    const auto& file = r.target.files()[0];
    EXPECT_FALSE(file.hasErrors());
    ASSERT_EQ(file.vectors.size(), 1u);
    for (const auto& value : file.vectors[0].values)
        ASSERT_TRUE(value);
    EXPECT_EQ(*file.vectors[0].dx(), 0.0);
    EXPECT_EQ(*file.vectors[0].dz(), 0.0);
    EXPECT_EQ(*file.vectors[0].rms(), 0.0);
    EXPECT_EQ(*file.vectors[0].factor(), 1.0);
}

// A file that ends after a first record keeps that vector without its
// standard deviations and is not an error.
TEST_P(VectorDat, FileEndingAfterAFirstRecord)
{
    auto r = import(":::\n" + kFirst + kSecond + "x*R2*B2*y*z*1*2*3\n\n");
    ASSERT_EQ(r.target.files().size(), 1u);
    const auto& file = r.target.files()[0];
    EXPECT_FALSE(file.hasErrors());
    ASSERT_EQ(file.vectors.size(), 2u);
    expectBaseline(file.vectors[0]);
    EXPECT_EQ(file.vectors[1].origin, L"B2");
    EXPECT_DOUBLE_EQ(*file.vectors[1].dz(), 3.0);
    EXPECT_FALSE(file.vectors[1].sigmaX());
    EXPECT_EQ(file.progress, std::vector<float>{100.0f});
}

TEST_P(VectorDat, SynonymsOnBothEnds)
{
    auto r = import("List of Synonyms for Long Names\nR1 Rover on the Hill\nB1 Base Tower\nEnd of List\n:::\n"
                    "x* R1 *B1 *y*z*1.5*-2.25*0.75\n" + kSecond + "x*B1*R1*y*z*1*2*3\n" + kSecond);
    const Trace expected = {"File(vector.dat)", "Line(1)", "Line(2)", "Line(3)", "Line(5)",
                            "VectorOrigin(Base Tower)", "VectorTarget(Rover on the Hill)"};
    const Trace events = trace(r.target);
    ASSERT_GE(events.size(), expected.size());
    EXPECT_EQ(Trace(events.begin(), events.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
    ASSERT_EQ(r.target.files().size(), 1u);
    const auto& vectors = r.target.files()[0].vectors;
    ASSERT_EQ(vectors.size(), 2u);
    EXPECT_EQ(vectors[1].origin, L"Rover on the Hill");
    EXPECT_EQ(vectors[1].target, L"Base Tower");
    EXPECT_EQ(vectors[1].line, 7);
    EXPECT_FALSE(r.target.files()[0].hasErrors());
}

INSTANTIATE_TEST_SUITE_P(Heights, VectorDat, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithTarget2" : "WithoutTarget2"; });

} // namespace
