// The command line of gnssimport.
#pragma once

#include "ExportNetwork.h"
#include "NetworkCheck.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

struct Options {
    enum class Command { Import, Plugins, Configure };
    Command command = Command::Import;

    std::vector<std::string> files;
    std::string plugin; // -p: forces one plug-in
    std::string configurePlugin;
    std::vector<std::string> pluginDirs;
    std::string format = "text";
    std::string output; // empty: stdout
    std::optional<std::string> charset;
    std::string defaultCharset;
    std::vector<std::pair<std::string, std::string>> settings; // --set KEY=VALUE
    std::string settingsFile;
    bool check = false;
    CheckOptions checkOptions;
    ExportOptions exportOptions; // dynaml and gama
    bool progress = true;
    bool verbose = false;
    std::string language; // --lang: "ru", "en", or empty for the messages locale
};

// Parses the command line. Returns the exit status when the run ends here:
// 0 after --help or --version, 2 after a usage error (with its message on err).
std::optional<int> parseOptions(int argc, char** argv, Options& options, std::ostream& out, std::ostream& err);

} // namespace cli
