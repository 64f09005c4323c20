// The manual page gnssimport(1), written from the same option definitions
// as --help so that the two cannot drift apart.
#pragma once

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace cli {

void writeManPage(std::ostream& out, const CLI::App& app, const std::string& version);

} // namespace cli
