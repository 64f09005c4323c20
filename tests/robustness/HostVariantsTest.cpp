// Every plug-in under hosts and processes that differ from the usual: a
// path that cannot be encoded, withheld target interfaces, a failing
// ConvertBytes, and a comma-decimal C locale.
#include "RobustnessSupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <stdexcept>

namespace {

using robust::PluginCase;

class HostVariants : public ::testing::TestWithParam<PluginCase> {
protected:
    std::wstring example() const { return test::W(test::sourcePath(GetParam().example).string()); }
};

// A lone surrogate cannot become a file-system path: std::range_error leaves
// DoImport, the files before it stay imported, the ones after it are not
// read, and the same plug-in object imports normally afterwards.
TEST_P(HostVariants, LoneSurrogatePathEndsTheImportWithRangeError)
{
    const PluginCase& c = GetParam();
    test::TempDir dir;
    const std::wstring bad = test::W(dir.path().string()) + L"/\xD800/" + test::W(c.fileName);
    const auto library = host::LoadedPlugin::load(test::pluginPath(c.plugin));
    const auto alone = robust::eventsPerFile(robust::importWithObject(library, {example()}));

    auto plugin = library.createAnother().query<Plugin::ISatelliteMIP>(Plugin::IID_ISatelliteMIP);
    host::RecordingTarget target;
    host::FileList files({example(), bad, example()});
    EXPECT_THROW(plugin->DoImport(&files, &target), std::range_error);
    const auto seen = robust::eventsPerFile(target);
    ASSERT_GE(seen.size(), 1u);
    ASSERT_LE(seen.size(), 2u); // the bad path may have been announced
    EXPECT_EQ(seen[0], alone[0]);
    if (seen.size() == 2) {
        EXPECT_TRUE(seen[1].empty());
    }

    host::RecordingTarget again;
    host::FileList next({example()});
    plugin->DoImport(&next, &again);
    EXPECT_EQ(robust::eventsPerFile(again), alone);
    EXPECT_TRUE(plugin.release()->Release());
}

// Without ISatImportTarget2 the heights are left out and nothing else changes.
TEST_P(HostVariants, WithoutTarget2OnlyTheHeightsGo)
{
    test::ImportRun run;
    run.options.offerTarget2 = false;
    for (const auto& path : robust::examplesOf(GetParam().plugin)) {
        const auto full = test::importWith(GetParam().plugin, {path});
        std::vector<std::wstring> expected;
        for (const auto& e : full.events())
            if (e.kind != host::TargetEvent::SetElevation && e.kind != host::TargetEvent::SetEllipsoidalHeight)
                expected.push_back(host::describe(e));
        EXPECT_EQ(test::importWith(GetParam().plugin, {path}, run).describeEvents(), expected) << test::U(path);
    }
}

// With the covariance interface offered, the only events added are
// SetCovariance calls, each right after a Factor; every vector of a format
// that carries correlations gets one, and Topcon sends none.
TEST_P(HostVariants, CovarianceInterfaceOnlyAddsCovarianceAfterFactor)
{
    test::ImportRun run;
    run.options.offerCovariance = true;
    const bool carriesCovariance = std::string(GetParam().plugin) != "topcon";
    for (const auto& path : robust::examplesOf(GetParam().plugin)) {
        const auto with = test::importWith(GetParam().plugin, {path}, run);
        std::vector<std::wstring> withoutCovariance;
        std::size_t factors = 0, covariances = 0;
        for (std::size_t i = 0; i < with.events().size(); ++i) {
            const host::TargetEvent& e = with.events()[i];
            if (e.kind != host::TargetEvent::SetCovariance) {
                withoutCovariance.push_back(host::describe(e));
                factors += e.kind == host::TargetEvent::SetValue && e.id == Plugin::Factor;
                continue;
            }
            ++covariances;
            ASSERT_GT(i, 0u);
            EXPECT_EQ(with.events()[i - 1].id, Plugin::Factor) << test::U(path);
        }
        EXPECT_EQ(covariances, carriesCovariance ? factors : 0u) << test::U(path);
        EXPECT_EQ(withoutCovariance, test::importWith(GetParam().plugin, {path}).describeEvents()) << test::U(path);
    }
}

// The example in UTF-8: code-page examples carry their code page in the name.
std::wstring utf8Copy(const test::TempDir& dir, const std::wstring& path)
{
    const std::string name = std::filesystem::path(test::U(path)).filename().string();
    const std::string bytes = test::readBytes(test::U(path));
    const char* codePage = name.find("cp1251") != std::string::npos  ? "CP1251"
                           : name.find("cp866") != std::string::npos ? "CP866"
                                                                     : nullptr;
    if (!codePage)
        return dir.write(name, bytes);
    host::CharsetConverter converter;
    std::wstring text;
    EXPECT_TRUE(converter.convert(codePage, bytes.data(), bytes.size(), text)) << name;
    return dir.write(name, test::U(text));
}

// Without ISatImportTarget3 the process locale decodes: under C.UTF-8 a
// UTF-8 file gives what the host gives when told "UTF-8".
TEST_P(HostVariants, WithoutTarget3TheLocaleDecodes)
{
    test::CLocaleGuard utf8("C.UTF-8");
    if (!utf8.ok())
        GTEST_SKIP() << "C.UTF-8 locale missing";
    test::ImportRun byHost;
    byHost.settings[L"charset"] = L"UTF-8";
    test::ImportRun byLocale;
    byLocale.options.offerTarget3 = false;
    test::TempDir dir;
    for (const auto& example : robust::examplesOf(GetParam().plugin)) {
        const std::wstring path = utf8Copy(dir, example);
        const auto expected = test::importWith(GetParam().plugin, {path}, byHost);
        ASSERT_EQ(expected.files().size(), 1u);
        EXPECT_FALSE(expected.files()[0].hasErrors()) << test::U(path);
        EXPECT_EQ(test::importWith(GetParam().plugin, {path}, byLocale).describeEvents(), expected.describeEvents())
            << test::U(path);
    }
}

// A ConvertBytes that always fails leaves every line empty: each file is
// reported as not of the format and nothing is imported.
TEST_P(HostVariants, FailingConvertBytesRejectsEveryFile)
{
    test::ImportRun run;
    run.options.convertBytesResult = 1;
    const auto paths = robust::examplesOf(GetParam().plugin);
    const auto target = test::importWith(GetParam().plugin, paths, run);
    ASSERT_EQ(target.files().size(), paths.size());
    for (const auto& file : target.files()) {
        EXPECT_TRUE(file.points.empty()) << test::U(file.path);
        EXPECT_TRUE(file.vectors.empty()) << test::U(file.path);
        ASSERT_FALSE(file.messages.empty()) << test::U(file.path);
        EXPECT_EQ(file.messages.back().text, L"Неизвестный формат файла") << test::U(file.path);
    }
}

// The process's C locale with a comma as decimal mark (the C++ global locale
// left classic) changes no event while the host decodes the text.
TEST_P(HostVariants, CommaDecimalLocaleChangesNoEvent)
{
    const auto paths = robust::examplesOf(GetParam().plugin);
    const auto underC = test::importWith(GetParam().plugin, paths).describeEvents();
    const char* comma = test::commaDecimalLocale();
    if (!comma)
        GTEST_SKIP() << "no comma-decimal locale installed (generate ru_RU.UTF-8 with localedef)";
    test::CLocaleGuard guard(comma);
    ASSERT_TRUE(guard.ok());
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(test::importWith(GetParam().plugin, paths).describeEvents(), underC);
}

// A host without a unit-converter factory: no crash; every angle reads as
// unreadable text, so TGO/TBC rejects its point lines, LGO its points table
// and Topcon sends the names alone, while the vectors and the plug-ins that
// need no converter (Spectrum Survey, Pinnacle) are untouched.
TEST_P(HostVariants, NullConverterFactoryLeavesOnlyTheAngles)
{
    const std::string plugin = GetParam().plugin;
    const bool untouched = plugin == "spectrum" || plugin == "pinnacle";
    test::ImportRun run;
    run.options.offerConverters = false;
    for (const auto& path : robust::examplesOf(plugin)) {
        const auto full = test::importWith(plugin, {path});
        const auto bare = test::importWith(plugin, {path}, run);
        ASSERT_EQ(bare.files().size(), 1u);
        EXPECT_EQ(bare.files()[0].vectors.size(), full.files()[0].vectors.size()) << test::U(path);
        if (untouched) {
            EXPECT_EQ(bare.describeEvents(), full.describeEvents()) << test::U(path);
            continue;
        }
        for (const auto& point : bare.files()[0].points)
            EXPECT_FALSE(point.latitude || point.longitude) << test::U(path);
    }
}

INSTANTIATE_TEST_SUITE_P(All, HostVariants, ::testing::ValuesIn(robust::pluginCases()),
                         [](const auto& info) { return robust::caseName(info.param); });

} // namespace
