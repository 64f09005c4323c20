// Runs the built gnssimport executable and captures what it says.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace test {

struct ToolRun {
    int status = -1; // exit status, -1 when it did not exit normally
    std::string out, err;
};

struct ToolEnv {
    std::string input;                      // fed to its stdin
    std::string locale = "C.UTF-8";         // LC_ALL of the run
    std::map<std::string, std::string> env; // further variables
    std::string stdoutFile;                 // its stdout goes there (/dev/full) instead of to out
};

ToolRun runTool(const std::vector<std::string>& args, const ToolEnv& env = ToolEnv());

} // namespace test
