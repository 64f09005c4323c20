#include "Commands.h"

#include "PluginCatalog.h"
#include "Text.h"
#include "TextTable.h"

namespace cli {

int runPlugins(const Options& options, std::ostream& out, std::ostream& err)
{
    const auto dirs = PluginCatalog::searchPath(options.pluginDirs);
    PluginCatalog catalog(dirs, host::SettingsStore());
    if (catalog.entries().empty()) {
        err << "gnssimport: no plug-ins found in";
        for (const auto& dir : dirs)
            err << ' ' << dir.string();
        err << '\n';
        return 2;
    }
    TextTable table({{"Plug-in", TextTable::Left},
                     {"Name", TextTable::Left},
                     {"Filter", TextTable::Left},
                     {"Version", TextTable::Right},
                     {"GUID", TextTable::Left},
                     {"Library", TextTable::Left}});
    int status = 0;
    for (auto& entry : catalog.entries()) {
        try {
            const auto& d = catalog.load(entry).descriptor();
            table.add({entry.name, utf8(d.name), utf8(d.filter), std::to_string(d.version), utf8(d.guid),
                       entry.path.string()});
        } catch (const host::LoadError& e) {
            err << "gnssimport: " << e.what() << '\n';
            status = 2;
        }
    }
    table.write(out, "");
    return status;
}

} // namespace cli
