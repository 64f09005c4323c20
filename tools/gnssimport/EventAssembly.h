// Builds the points, vectors and messages of one file from the raw event
// stream. Point and vector events may interleave: coordinates and heights
// belong to the point opened last, vector values to the vector opened last.
#pragma once

#include "host/ImportModel.h"
#include "host/RecordingTarget.h"

#include <vector>

namespace cli {

// Breaches of the event order become HostWarning messages.
host::ImportedFile assemble(const std::vector<host::TargetEvent>& events);

} // namespace cli
