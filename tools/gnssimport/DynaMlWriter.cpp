// DynaML as DynAdjust's import reads it: stations as geocentric XYZ, one
// GNSS baseline (type G) per vector with its covariance in m² (the Sigma
// elements hold variances and covariances despite their names).
#include "Writers.h"

#include "ExportNames.h"
#include "Text.h"

namespace cli {

namespace {

void header(std::ostream& out, const char* type, const ExportOptions& options)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<DnaXmlFormat type=\"" << type << "\" referenceframe=\"" << xmlEscape(options.frame) << "\" epoch=\""
        << xmlEscape(options.epoch)
        << "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"DynaML.xsd\">\n"
        << "<!-- Written by gnssimport -->\n";
}

void element(std::ostream& out, const char* indent, const char* name, const std::string& text)
{
    out << indent << '<' << name << '>' << text << "</" << name << ">\n";
}

} // namespace

void writeDynaMlStations(std::ostream& out, const ExportNetwork& network, const ExportOptions& options)
{
    header(out, "Station File", options);
    for (const auto& s : network.stations) {
        const std::string name = xmlEscape(s.id);
        out << "  <DnaStation>\n";
        element(out, "    ", "Name", name);
        element(out, "    ", "Constraints", s.fixed ? "CCC" : "FFF");
        element(out, "    ", "Type", "XYZ");
        out << "    <StationCoord>\n";
        element(out, "      ", "Name", name);
        element(out, "      ", "XAxis", shortest(s.position.x));
        element(out, "      ", "YAxis", shortest(s.position.y));
        element(out, "      ", "Height", shortest(s.position.z));
        out << "    </StationCoord>\n";
        if (s.computed)
            element(out, "    ", "Description", "approximate: placed through vectors");
        out << "  </DnaStation>\n";
    }
    out << "</DnaXmlFormat>\n";
}

void writeDynaMlMeasurements(std::ostream& out, const ExportNetwork& network, const ExportOptions& options)
{
    static const char* const sigmaNames[6] = {"SigmaXX", "SigmaXY", "SigmaXZ", "SigmaYY", "SigmaYZ", "SigmaZZ"};
    header(out, "Measurement File", options);
    const std::string frame = xmlEscape(options.frame), epoch = xmlEscape(options.epoch);
    for (const auto& v : network.vectors) {
        out << "  <DnaMeasurement>\n";
        element(out, "    ", "Type", "G");
        out << "    <Ignore/>\n";
        element(out, "    ", "ReferenceFrame", frame);
        element(out, "    ", "Epoch", epoch);
        element(out, "    ", "First", xmlEscape(network.stations[v.from].id));
        element(out, "    ", "Second", xmlEscape(network.stations[v.to].id));
        element(out, "    ", "Vscale", shortest(v.scale));
        element(out, "    ", "Pscale", "1");
        element(out, "    ", "Lscale", "1");
        element(out, "    ", "Hscale", "1");
        out << "    <GPSBaseline>\n";
        element(out, "      ", "X", shortest(v.delta[0]));
        element(out, "      ", "Y", shortest(v.delta[1]));
        element(out, "      ", "Z", shortest(v.delta[2]));
        for (int i = 0; i < 6; ++i)
            element(out, "      ", sigmaNames[i], shortest(v.covariance[i]));
        out << "    </GPSBaseline>\n  </DnaMeasurement>\n";
    }
    out << "</DnaXmlFormat>\n";
}

} // namespace cli
