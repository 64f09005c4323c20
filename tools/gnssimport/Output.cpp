#include "Output.h"

#include "Writers.h"

namespace cli {

namespace {

std::string withoutExtension(std::string base, const std::string& extension)
{
    if (base.size() > extension.size() && base.compare(base.size() - extension.size(), extension.size(), extension) == 0)
        base.erase(base.size() - extension.size());
    return base;
}

bool toStdout(const std::string& output) { return output.empty() || output == "-"; }

} // namespace

Outputs::Outputs(const Options& options, std::ostream& stdOut) : m_options(options), m_stdout("-", stdOut)
{
    std::vector<std::string> paths;
    if (options.format == "csv") {
        const std::string base = withoutExtension(options.output, ".csv");
        paths = {base + "-points.csv", base + "-vectors.csv"};
    } else if (options.format == "dynaml") {
        const std::string base = withoutExtension(options.output, ".xml");
        paths = {base + ".stn.xml", base + ".msr.xml"};
    } else if (!toStdout(options.output)) {
        paths = {options.output};
    }
    for (const auto& path : paths)
        m_files.push_back(std::make_unique<OutputFile>(path, stdOut));
}

void Outputs::write(const ImportResults& results, std::ostream& err)
{
    const std::string& format = m_options.format;
    if (format == "csv") {
        writeCsvPoints(m_files[0]->stream(), results);
        writeCsvVectors(m_files[1]->stream(), results);
        return;
    }
    if (format == "dynaml") {
        const ExportNetwork network = buildExportNetwork(results, m_options.exportOptions, NameRule::XmlText, err);
        writeDynaMlStations(m_files[0]->stream(), network, m_options.exportOptions);
        writeDynaMlMeasurements(m_files[1]->stream(), network, m_options.exportOptions);
        return;
    }
    std::ostream& out = m_files.empty() ? m_stdout.stream() : m_files[0]->stream();
    if (format == "gama")
        writeGama(out, buildExportNetwork(results, m_options.exportOptions, NameRule::Token, err));
    else if (format == "json")
        writeJson(out, results);
    else if (format == "geojson")
        writeGeoJson(out, results);
    else if (format == "events")
        writeEvents(out, results);
    else
        writeText(out, results);
}

void Outputs::commit()
{
    for (auto& file : m_files)
        file->check();
    m_stdout.check();
    // Both files of a pair or neither: the second is renamed only after the first.
    for (auto& file : m_files)
        file->commit();
}

} // namespace cli
