#include "Output.h"

#include "Writers.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace cli {

namespace {

template <typename Write>
void toFile(const std::string& path, Write write)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
    write(out);
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string csvBase(std::string base)
{
    const std::string extension = ".csv";
    if (base.size() > extension.size() && base.compare(base.size() - extension.size(), extension.size(), extension) == 0)
        base.erase(base.size() - extension.size());
    return base;
}

} // namespace

void writeOutput(const Options& options, const ImportResults& results, std::ostream& stdOut)
{
    if (options.format == "csv") {
        const std::string base = csvBase(options.output);
        toFile(base + "-points.csv", [&](std::ostream& out) { writeCsvPoints(out, results); });
        toFile(base + "-vectors.csv", [&](std::ostream& out) { writeCsvVectors(out, results); });
        return;
    }
    auto write = [&](std::ostream& out) {
        if (options.format == "json")
            writeJson(out, results);
        else if (options.format == "geojson")
            writeGeoJson(out, results);
        else if (options.format == "events")
            writeEvents(out, results);
        else
            writeText(out, results);
    };
    if (options.output.empty() || options.output == "-") {
        write(stdOut);
        stdOut.flush();
    } else {
        toFile(options.output, write);
    }
}

} // namespace cli
