// DynaML as DynAdjust's import reads it: stations as geocentric XYZ, one
// GNSS baseline (type G) per vector with its covariance in m² (the Sigma
// elements hold variances and covariances despite their names).
#include "Writers.h"

#include "ExportNames.h"
#include "OutputBuffer.h"
#include "Text.h"

namespace cli {

namespace {

void header(OutputBuffer& out, const char* type, const ExportOptions& options)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<DnaXmlFormat type=\"" << type << "\" referenceframe=\"" << xmlEscape(options.frame) << "\" epoch=\""
        << xmlEscape(options.epoch)
        << "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"DynaML.xsd\">\n"
        << "<!-- Written by gnssimport -->\n";
}

void element(OutputBuffer& out, const char* indent, const char* name, std::string_view text)
{
    out << indent << '<' << name << '>' << text << "</" << name << ">\n";
}

void element(OutputBuffer& out, const char* indent, const char* name, double value)
{
    out << indent << '<' << name << '>';
    out.shortest(value);
    out << "</" << name << ">\n";
}


} // namespace

void writeDynaMlStations(std::ostream& stream, const ExportNetwork& network, const ExportOptions& options)
{
    OutputBuffer out(stream);
    header(out, "Station File", options);
    for (const auto& s : network.stations) {
        const std::string name = xmlEscape(s.id);
        out << "  <DnaStation>\n";
        element(out, "    ", "Name", name);
        element(out, "    ", "Constraints", s.fixed ? "CCC" : "FFF");
        element(out, "    ", "Type", "XYZ");
        out << "    <StationCoord>\n";
        element(out, "      ", "Name", name);
        element(out, "      ", "XAxis", s.position.x);
        element(out, "      ", "YAxis", s.position.y);
        element(out, "      ", "Height", s.position.z);
        out << "    </StationCoord>\n";
        if (s.computed)
            element(out, "    ", "Description", "approximate: placed through vectors");
        out << "  </DnaStation>\n";
    }
    out << "</DnaXmlFormat>\n";
}

void writeDynaMlMeasurements(std::ostream& stream, const ExportNetwork& network, const ExportOptions& options)
{
    static const char* const sigmaNames[6] = {"SigmaXX", "SigmaXY", "SigmaXZ", "SigmaYY", "SigmaYZ", "SigmaZZ"};
    OutputBuffer out(stream);
    header(out, "Measurement File", options);
    const std::string frame = xmlEscape(options.frame), epoch = xmlEscape(options.epoch);
    const std::vector<std::string> ids = escapedIds(network);
    for (const auto& v : network.vectors) {
        out << "  <DnaMeasurement>\n";
        element(out, "    ", "Type", "G");
        out << "    <Ignore/>\n";
        element(out, "    ", "ReferenceFrame", frame);
        element(out, "    ", "Epoch", epoch);
        element(out, "    ", "First", ids[v.from]);
        element(out, "    ", "Second", ids[v.to]);
        element(out, "    ", "Vscale", v.scale);
        element(out, "    ", "Pscale", "1");
        element(out, "    ", "Lscale", "1");
        element(out, "    ", "Hscale", "1");
        out << "    <GPSBaseline>\n";
        element(out, "      ", "X", v.delta[0]);
        element(out, "      ", "Y", v.delta[1]);
        element(out, "      ", "Z", v.delta[2]);
        for (int i = 0; i < 6; ++i)
            element(out, "      ", sigmaNames[i], v.covariance[i]);
        out << "    </GPSBaseline>\n  </DnaMeasurement>\n";
    }
    out << "</DnaXmlFormat>\n";
}

} // namespace cli
