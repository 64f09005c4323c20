#include "RobustnessSupport.h"

#include <algorithm>

namespace robust {

const std::vector<PluginCase>& pluginCases()
{
    static const std::vector<PluginCase> cases = {
        {"spectrum", "examples/spectrum/riverside-baselines.txt", "report.txt"},
        {"tgotbc", "examples/tgotbc/lakeland-control.asc", "export.asc"},
        {"lgo", "examples/lgo/points.txt", "points.txt"},
        {"pinnacle", "examples/pinnacle/station.dat", "station.dat"},
        {"topcon", "examples/topcon/berezovka-cp1251.txt", "report.txt"},
    };
    return cases;
}

std::string caseName(const PluginCase& c) { return c.plugin; }

std::string fileWithPointNamed(const PluginCase& c, const std::string& name)
{
    const std::string plugin = c.plugin;
    if (plugin == "tgotbc")
        return "[General]\nSeparator=:\n[Stations]\nStation=2:?:" + name + ":54.6N:3.1W:139.8:0:0:86.7\n";
    if (plugin == "lgo")
        return "Point Id\tLatitude\tLongitude\tEllip. Hgt.\n" + name + "\t55\t37\t150\n";
    if (plugin == "pinnacle")
        return ":::\nheader\n1*a*b*" + name + "*0.97*0*0.66*0*150*0\n";
    if (plugin == "topcon")
        return "P," + name + ",55 45 12,37 36 56,152\n";
    // The Spectrum Survey example with its first base station renamed.
    std::string report = test::readBytes(test::sourcePath(c.example));
    const std::string base = "BASE STATION (RS01)";
    report.replace(report.find(base), base.size(), "BASE STATION (" + name + ")");
    return report;
}

std::vector<std::wstring> examplesOf(const std::string& plugin)
{
    std::vector<std::wstring> paths;
    for (const auto& entry : std::filesystem::directory_iterator(test::sourcePath("examples/" + plugin)))
        if (entry.path().extension() != ".md")
            paths.push_back(test::W(entry.path().string()));
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::vector<std::wstring>> eventsPerFile(const host::RecordingTarget& target)
{
    std::vector<std::vector<std::wstring>> files;
    for (const auto& e : target.events()) {
        if (e.kind == host::TargetEvent::SetCurrentFile)
            files.emplace_back();
        else if (!files.empty())
            files.back().push_back(host::describe(e));
    }
    return files;
}

host::RecordingTarget importWithObject(const host::LoadedPlugin& library, const std::vector<std::wstring>& paths,
                                       const test::ImportRun& run)
{
    const auto plugin = library.createAnother().query<Plugin::ISatelliteMIP>(Plugin::IID_ISatelliteMIP);
    host::SettingsStore settings;
    for (const auto& kv : run.settings)
        settings.set(kv.first, kv.second);
    plugin->LoadSettings(&settings);
    host::RecordingTarget target(run.options);
    host::FileList files(paths);
    plugin->DoImport(&files, &target);
    return target;
}

} // namespace robust
