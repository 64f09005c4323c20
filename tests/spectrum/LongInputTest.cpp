// Long texts that used to make the searches backtrack for minutes: they must
// import, quickly and without exhausting the stack. No timing is asserted.
#include "SpectrumTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace spectrum;

std::string repeated(const std::string& piece, std::size_t bytes)
{
    std::string out;
    while (out.size() < bytes)
        out += piece;
    return out;
}

// A report whose footers are lost is one block of a few MB; without any
// "Hgt:" the stations get no height and only the first vector is imported.
TEST(SpectrumLongInputs, MergedReportWithoutHeights)
{
    BlockLines b;
    b.set("Z:", "Z:   5063533.8721 m").set("Z:", "Z:   5062695.1184 m", b.find("REMOTE"));
    const FileResult f = importText(report({b}, false) + repeated(b.text(), 3 << 20));
    ASSERT_EQ(f.vectors.size(), 1u);
    EXPECT_FALSE(f.points[0].height.has_value());
    EXPECT_FALSE(f.points[1].height.has_value());
    EXPECT_TRUE(f.errors.empty());
}

TEST(SpectrumLongInputs, LongStretchesInsideOneBlock)
{
    BlockLines logged;
    logged.lines.insert(logged.lines.begin() + 2, repeated("Epoch 1234  SV G07  L1 123.456  residual 0.0012 m\n", 3 << 20));
    EXPECT_EQ(importText(report({logged})).vectors.size(), 1u);

    BlockLines wide;
    wide.set("Z:", "Z:   5063533.8721" + std::string(1 << 20, ' ') + "m  Hgt:  187.402 m");
    EXPECT_EQ(*importText(report({wide})).points[0].height, 187.402);

    // After the base station's bracket field the block runs on in a line of
    // a megabyte up to its footer.
    BlockLines cut;
    cut.lines.resize(cut.find("X:"));
    const FileResult f = importText(cut.text() + repeated("y x ", 1 << 20) + "Spectrum\xC2\xAE Survey\n");
    EXPECT_EQ(f.errors, std::vector<std::wstring>{L"Неизвестный формат файла"});
}

} // namespace
