// Code page of files with Russian names: detected when no charset is
// configured, taken from the setting otherwise.
#include "TgoTestSupport.h"

#include <iconv.h>

#include <stdexcept>

namespace {

// UTF-8 text re-encoded in charset through iconv.
std::string encode(const std::string& utf8, const char* charset)
{
    iconv_t cd = iconv_open(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no iconv converter for ") + charset);
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = &out[0];
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        throw std::runtime_error(std::string("cannot encode in ") + charset);
    out.resize(out.size() - outLeft);
    return out;
}

// A small survey of villages near Tver, the way a Russian office exports it.
const std::string kRussianExport = "[General]\n"
                                   "Source=Trimble Business Center\n"
                                   "ProjName=Опорная геодезическая сеть посёлка Михайловское\n"
                                   "ProjCoordinateSystem=Россия/СК-42\n"
                                   "Separator=:\n"
                                   "[Stations]\n"
                                   "Station=2:?:Берёзовка:56.858720114N:35.921583400E:182.4410:?:?:165.1030\n"
                                   "Station=2:?:Сосновый Бор:56.901233781N:35.874410552E:176.9021:?:?:159.5530\n"
                                   "Station=2:?:Красная Горка:56.832119460N:36.015628870E:190.0117:?:?:172.6610\n"
                                   "[GPS]\n"
                                   "Vector=1:?:Берёзовка:Сосновый Бор:-2904.1120:1215.3300:2633.9010:"
                                   "0.000012:0:0:0.000015:0:0.000021:0:0:0:0:0.009\n";

const std::vector<std::wstring> kRussianNames = {L"Берёзовка", L"Сосновый Бор", L"Красная Горка"};

class TgoDetection : public ::testing::TestWithParam<const char*> {};

TEST_P(TgoDetection, RussianNamesAreDecodedWithoutACharsetSetting)
{
    const auto& file = tgo::onlyFile(tgo::importText(encode(kRussianExport, GetParam())));
    EXPECT_EQ(tgo::pointNames(file), kRussianNames);
    ASSERT_EQ(file.vectors.size(), 1u);
    EXPECT_EQ(file.vectors[0].target, L"Сосновый Бор");
    EXPECT_TRUE(file.messages.empty());
}

// Station names in capitals, the only Cyrillic text of the file.
TEST_P(TgoDetection, CapitalNamesAreDecodedWithoutACharsetSetting)
{
    const std::string text = "[General]\n"
                             "Source=Trimble Business Center\n"
                             "Separator=:\n"
                             "[Stations]\n"
                             "Station=2:?:ГРП-5 СЕВЕРНЫЙ:56.858720114N:35.921583400E:182.4410:?:?:165.1030\n"
                             "Station=2:?:КУРГАН:56.901233781N:35.874410552E:176.9021:?:?:159.5530\n"
                             "Station=2:?:ПУНКТ ГГС БЕРЁЗОВКА:56.832119460N:36.015628870E:190.0117:?:?:172.6610\n";
    const auto& file = tgo::onlyFile(tgo::importText(encode(text, GetParam())));
    EXPECT_EQ(tgo::pointNames(file), (std::vector<std::wstring>{L"ГРП-5 СЕВЕРНЫЙ", L"КУРГАН", L"ПУНКТ ГГС БЕРЁЗОВКА"}));
    EXPECT_TRUE(file.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(CodePages, TgoDetection, ::testing::Values("CP1251", "KOI8-R", "CP866"));

// With a charset configured nothing is detected, even when it is wrong.
TEST(TgoDetectionOff, WrongConfiguredCharsetIsNotCorrected)
{
    test::ImportRun run;
    run.settings[L"charset"] = L"CP1251";
    const auto& file = tgo::onlyFile(tgo::importText(encode(kRussianExport, "KOI8-R"), run));
    ASSERT_EQ(file.points.size(), 3u);
    EXPECT_NE(file.points[0].name, kRussianNames[0]);
}

// Each file of one import is detected on its own.
TEST(TgoDetectionOff, EveryFileIsDetectedAgain)
{
    test::TempDir dir;
    const auto target = test::importWith("tgotbc", {dir.write("a.asc", encode(kRussianExport, "CP866")),
                                                    dir.write("b.asc", encode(kRussianExport, "CP1251"))});
    ASSERT_EQ(target.files().size(), 2u);
    EXPECT_EQ(tgo::pointNames(target.files()[0]), kRussianNames);
    EXPECT_EQ(tgo::pointNames(target.files()[1]), kRussianNames);
}

} // namespace
