// gnssimport: imports survey exports through the gnssimport plug-ins and
// writes their points and vectors in formats other software reads.
#include "Commands.h"
#include "Options.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv)
{
    // The plug-ins read numbers and decode text by the user's locale; every
    // number the tool writes is independent of it.
    std::setlocale(LC_ALL, "");
    // The standard streams keep their own buffers (the tool uses no C stdio).
    std::ios::sync_with_stdio(false);
    cli::Options options;
    if (const auto status = cli::parseOptions(argc, argv, options, std::cout, std::cerr))
        return *status;
    switch (options.command) {
    case cli::Options::Command::Plugins:
        return cli::runPlugins(options, std::cout, std::cerr);
    case cli::Options::Command::Configure:
        return cli::runConfigure(options, std::cin, std::cout, std::cerr);
    case cli::Options::Command::Import:
        // Diagnostics are written in blocks, flushed once per imported file:
        // an export can warn about tens of thousands of records, and
        // unbuffered stderr makes a system call of every piece of each line.
        std::cerr.unsetf(std::ios::unitbuf);
        break;
    }
    return cli::runImport(options, std::cout, std::cerr);
}
