// The tool's outputs against expected files written by hand (the numbers
// worked out independently of the tool): DMS and decimal degrees on both
// hemispheres, radians, heights, sigmas, RMS, factor and length. Text is
// compared byte for byte; JSON and CSV numbers to 1e-12 relative, so that
// the last digit of a shortest round trip may differ and nothing else.
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <sstream>

using nlohmann::json;

namespace {

const char* const kInputs[] = {"topcon.txt", "export.asc", "station.dat"};

std::string golden(const std::string& name) { return test::sourcePath("tests/cli/golden/" + name).string(); }

// The paths without the folder of the inputs.
std::string withoutFolder(std::string out)
{
    const std::string folder = golden("");
    for (std::size_t at; (at = out.find(folder)) != std::string::npos;)
        out.erase(at, folder.size());
    return out;
}

std::string run(const std::vector<std::string>& options)
{
    std::vector<std::string> args = options;
    for (const char* input : kInputs)
        args.push_back(golden(input));
    const auto result = test::runTool(args);
    EXPECT_EQ(result.status, 0) << result.err;
    return withoutFolder(result.out);
}

bool closeEnough(double a, double b) { return std::fabs(a - b) <= 1e-12 * std::max(1.0, std::fabs(b)); }

void expectSame(const json& actual, const json& expected, const std::string& where)
{
    if (expected.is_number() && actual.is_number()) {
        EXPECT_TRUE(closeEnough(actual.get<double>(), expected.get<double>())) << where << ": " << actual << " vs " << expected;
    } else if (expected.is_object() && actual.is_object()) {
        EXPECT_EQ(actual.size(), expected.size()) << where;
        for (auto it = expected.begin(); it != expected.end(); ++it)
            expectSame(actual.contains(it.key()) ? actual[it.key()] : json(), it.value(), where + "." + it.key());
    } else if (expected.is_array() && actual.is_array()) {
        ASSERT_EQ(actual.size(), expected.size()) << where;
        for (std::size_t i = 0; i < expected.size(); ++i)
            expectSame(actual[i], expected[i], where + "[" + std::to_string(i) + "]");
    } else {
        EXPECT_EQ(actual, expected) << where;
    }
}

std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

void expectSameCsv(const std::string& actual, const std::string& expected)
{
    const auto actualRows = split(actual, "\r\n");
    const auto expectedRows = split(expected, "\r\n");
    ASSERT_EQ(actualRows.size(), expectedRows.size()) << actual;
    for (std::size_t r = 0; r < expectedRows.size(); ++r) {
        const auto a = split(actualRows[r], ",");
        const auto e = split(expectedRows[r], ",");
        ASSERT_EQ(a.size(), e.size()) << actualRows[r];
        for (std::size_t f = 0; f < e.size(); ++f) {
            char* end = nullptr;
            const double number = std::strtod(e[f].c_str(), &end);
            if (!e[f].empty() && *end == '\0' && !a[f].empty())
                EXPECT_TRUE(closeEnough(std::stod(a[f]), number)) << actualRows[r] << " field " << f;
            else
                EXPECT_EQ(a[f], e[f]) << actualRows[r];
        }
    }
}

TEST(Golden, Text) { EXPECT_EQ(run({}), test::readBytes(golden("expected.txt"))); }

TEST(Golden, Json)
{
    expectSame(json::parse(run({"-f", "json"})), json::parse(test::readBytes(golden("expected.json"))), "");
}

TEST(Golden, Csv)
{
    test::TempDir dir;
    const std::string base = (dir.path() / "out").string();
    run({"-f", "csv", "-o", base});
    for (const char* table : {"-points.csv", "-vectors.csv"})
        expectSameCsv(withoutFolder(test::readBytes(base + table)), test::readBytes(golden(std::string("expected") + table)));
}

} // namespace
