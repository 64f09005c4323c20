#include "Output.h"

#include "PendingFile.h"
#include "Writers.h"

namespace cli {

namespace {

template <typename Write>
void toFile(const std::string& path, Write write)
{
    PendingFile file(path);
    write(file.stream());
    file.commit();
}

std::string withoutExtension(std::string base, const std::string& extension)
{
    if (base.size() > extension.size() && base.compare(base.size() - extension.size(), extension.size(), extension) == 0)
        base.erase(base.size() - extension.size());
    return base;
}

void writeDynaMl(const Options& options, const ImportResults& results, std::ostream& err)
{
    const ExportNetwork network = buildExportNetwork(results, options.exportOptions, NameRule::XmlText, err);
    const std::string base = withoutExtension(options.output, ".xml");
    // Both files or neither: the second is renamed only after the first.
    PendingFile stations(base + ".stn.xml"), measurements(base + ".msr.xml");
    writeDynaMlStations(stations.stream(), network, options.exportOptions);
    writeDynaMlMeasurements(measurements.stream(), network, options.exportOptions);
    stations.commit();
    measurements.commit();
}

} // namespace

void writeOutput(const Options& options, const ImportResults& results, std::ostream& stdOut, std::ostream& err)
{
    if (options.format == "csv") {
        const std::string base = withoutExtension(options.output, ".csv");
        toFile(base + "-points.csv", [&](std::ostream& out) { writeCsvPoints(out, results); });
        toFile(base + "-vectors.csv", [&](std::ostream& out) { writeCsvVectors(out, results); });
        return;
    }
    if (options.format == "dynaml")
        return writeDynaMl(options, results, err);
    std::optional<ExportNetwork> network;
    if (options.format == "gama")
        network = buildExportNetwork(results, options.exportOptions, NameRule::Token, err);
    auto write = [&](std::ostream& out) {
        if (network)
            writeGama(out, *network);
        else if (options.format == "json")
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
