// Host-side angle converters: every AngleConverter::Type, results in radians.
#pragma once

#include <gnssimport/UnitCoverters.h>

#include <string>

namespace host {

// Parses text in the notation of type; returns false when it is not such an
// angle. Numbers are read independently of the process locale.
bool parseAngle(Plugin::AngleConverter::Type type, const std::wstring& text, double& radians);

// A new reference-counted factory with one reference for the caller.
Plugin::IUnitConvertersFactory* createUnitConvertersFactory();

} // namespace host
