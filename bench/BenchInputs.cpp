#include "BenchInputs.h"

#include "CommonHelpers/strutils.h"
#include <gnssimport/host/FileList.h>
#include <gnssimport/host/SettingsStore.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace bench {

namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> cells;
    std::stringstream in(line);
    std::string cell;
    while (std::getline(in, cell, '\t'))
        cells.push_back(cell);
    if (!line.empty() && line.back() == '\t')
        cells.emplace_back();
    return cells;
}

} // namespace

std::string inputsDir()
{
    const char* dir = std::getenv("GNSSIMPORT_BENCH_INPUTS");
    return dir && *dir ? dir : GNSSIMPORT_BENCH_INPUTS;
}

std::vector<Input> readInputs(const std::string& dir)
{
    std::vector<Input> inputs;
    std::ifstream manifest(dir + "/inputs.tsv");
    std::string line;
    while (std::getline(manifest, line)) {
        const auto cells = splitTabs(line);
        if (cells.size() < 8)
            continue;
        Input input;
        input.format = cells[0];
        input.megabytes = std::atoi(cells[1].c_str());
        input.path = dir + "/" + cells[2];
        input.plugin = cells[3];
        input.charset = cells[4];
        input.codePage = cells[5];
        input.bytes = std::atoll(cells[6].c_str());
        input.records = std::atol(cells[7].c_str());
        inputs.push_back(input);
    }
    return inputs;
}

std::string pluginPath(const std::string& plugin)
{
    const char* dir = std::getenv("GNSSIMPORT_BENCH_PLUGINS");
    return std::string(dir && *dir ? dir : GNSSIMPORT_PLUGIN_DIR) + "/gnssimport-" + plugin + ".so";
}

Importer::Importer(const std::string& plugin, const std::string& charset)
    : m_plugin(host::LoadedPlugin::load(pluginPath(plugin)))
{
    host::SettingsStore settings;
    settings.set(L"charset", strutils::fromUtf8(charset));
    m_plugin.plugin()->LoadSettings(&settings);
}

ImportCounts Importer::importFile(const std::string& path, bool hashEvents)
{
    CountingTarget target(hashEvents);
    host::FileList files({strutils::fromUtf8(path)});
    m_plugin.plugin()->DoImport(&files, &target);
    return target.counts();
}

} // namespace bench
