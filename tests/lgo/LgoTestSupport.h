// Helpers of the LGO tests: tables written as files, imports through a
// loaded plug-in object, and the radians of a degrees-minutes-seconds angle.
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace lgo {

// Joins the cells of each row with sep, rows with CR LF (the last one too).
std::string table(const std::vector<std::vector<std::string>>& rows, char sep);

extern const std::vector<std::string> kPointsHeader; // the four default columns
extern const std::vector<std::string> kLinesHeader;  // the eight default columns

double dmsRadians(double degrees, double minutes, double seconds);

// Imports paths with an already loaded plug-in object (keeping its settings).
host::RecordingTarget import(Plugin::ISatelliteMIP* plugin, const std::vector<std::wstring>& paths,
                             const host::RecordingTarget::Options& options = host::RecordingTarget::Options());

// The readable events of one file, SetCurrentFile left out.
std::vector<std::wstring> eventsOf(const host::RecordingTarget& target, bool withProgress = true);

} // namespace lgo
