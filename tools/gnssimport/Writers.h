// The output formats of the import command.
#pragma once

#include "ExportNetwork.h"
#include "ImportResult.h"

#include <ostream>

namespace cli {

// Per file the plug-in used and counts, then tables of points (angles in
// degrees, minutes and seconds) and vectors, rounded for reading.
void writeText(std::ostream& out, const ImportResults& results);
// The whole model as one JSON document; angles in decimal degrees.
void writeJson(std::ostream& out, const ImportResults& results);
// RFC 7946 feature collection: points, and vectors as lines where both
// ends can be placed.
void writeGeoJson(std::ostream& out, const ImportResults& results);
// RFC 4180 tables, one for the points and one for the vectors.
void writeCsvPoints(std::ostream& out, const ImportResults& results);
void writeCsvVectors(std::ostream& out, const ImportResults& results);
// The raw event stream of every file, one event per line.
void writeEvents(std::ostream& out, const ImportResults& results);

// DynaML station and measurement files for DynAdjust.
void writeDynaMlStations(std::ostream& out, const ExportNetwork& network, const ExportOptions& options);
void writeDynaMlMeasurements(std::ostream& out, const ExportNetwork& network, const ExportOptions& options);
// A gama-local document for GNU Gama, in east, north, up at the origin station.
void writeGama(std::ostream& out, const ExportNetwork& network);

} // namespace cli
