#include "Commands.h"

#include "PluginCatalog.h"
#include "SettingsFile.h"
#include "Text.h"

#include <gnssimport/host/MemoryPropertyListView.h>

#include <string>

namespace cli {

namespace {

bool readLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

void showFields(std::ostream& out, const std::vector<host::PropertyField>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& f = fields[i];
        out << (i < 9 ? "   " : "  ") << i + 1 << ". " << utf8(f.label) << ": "
            << (f.value.empty() ? std::string("(default)") : "\"" + utf8(f.value) + "\"") << '\n';
    }
}

// The terminal dialogue: pick fields by number and type their values, then
// "ok" or "cancel". Returns true after OK.
bool editFields(host::PropertyEditSession& session, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string line;
    for (;;) {
        showFields(out, session.view().fields());
        out << "Field number to edit, \"ok\" to save, \"cancel\" to leave: " << std::flush;
        if (!readLine(in, line))
            break;
        const std::string command = trimmed(line);
        if (command == "ok") {
            if (session.ok())
                return true;
            err << "gnssimport: the plug-in refused these values\n";
            continue;
        }
        if (command == "cancel" || command == "q")
            break;
        const auto& fields = session.view().fields();
        std::size_t number = 0;
        if (command.empty() || command.size() > 3 || command.find_first_not_of("0123456789") != std::string::npos
            || (number = std::stoul(command)) < 1 || number > fields.size()) {
            err << "gnssimport: expected a field number from 1 to " << fields.size() << ", \"ok\" or \"cancel\"\n";
            continue;
        }
        const host::PropertyField field = fields[number - 1];
        out << utf8(field.label) << " (empty for the default): " << std::flush;
        if (!readLine(in, line))
            break;
        session.edit(field.propId, fromUtf8(line));
    }
    session.cancel();
    return false;
}

} // namespace

int runConfigure(const Options& options, std::istream& in, std::ostream& out, std::ostream& err)
{
    try {
        SettingsFile settings(options);
        PluginCatalog catalog(PluginCatalog::searchPath(options.pluginDirs), settings.effective());
        PluginEntry& entry = catalog.resolve(options.configurePlugin);
        host::LoadedPlugin& plugin = catalog.load(entry);
        Plugin::IPropertyListViewController* controller = plugin.plugin()->GetPropertyListViewController();
        if (!controller) {
            err << "gnssimport: " << utf8(plugin.descriptor().name) << " has no settings to configure\n";
            return 2;
        }
        host::PropertyEditSession session(controller);
        if (session.view().fields().empty()) {
            err << "gnssimport: " << utf8(plugin.descriptor().name) << " shows no settings\n";
            return 2;
        }
        out << utf8(plugin.descriptor().name) << " settings, saved to " << options.settingsFile << ":\n";
        if (!editFields(session, in, out, err)) {
            out << "\nCancelled; nothing saved.\n";
            return 0;
        }
        settings.saveBack(catalog);
        out << "Saved to " << options.settingsFile << ".\n";
        return 0;
    } catch (const std::exception& e) {
        err << "gnssimport: " << e.what() << '\n';
        return 2;
    }
}

} // namespace cli
