// The regular expressions that find the parts of a Spectrum Survey report.
#pragma once

#include <string>

namespace Spectrum {
namespace Patterns {

// Section titles, English or Russian.
extern const std::wstring s_vectorSummary;
extern const std::wstring s_baseStation;
extern const std::wstring s_remoteStation;
extern const std::wstring s_vectorResults;
extern const std::wstring s_covarianceMatrix;

// A block runs from its title to the next "Spectrum® Survey" or the end.
extern const std::wstring s_blockEnd;
extern const std::wstring s_stationName;
extern const std::wstring s_bracketField;
extern const std::wstring s_firstCoordinate;
extern const std::wstring s_secondCoordinate;
extern const std::wstring s_thirdCoordinate;
extern const std::wstring s_height;
extern const std::wstring s_deltaX;
extern const std::wstring s_deltaY;
extern const std::wstring s_deltaZ;
// The diagonal of the lower-triangle covariance matrix.
extern const std::wstring s_varianceX;
extern const std::wstring s_varianceY;
extern const std::wstring s_varianceZ;
// The rows dY and dZ as the two variance patterns above match them, with
// every value captured: dY's are xy, yy and dZ's xz, yz, zz.
extern const std::wstring s_covarianceRowY;
extern const std::wstring s_covarianceRowZ;

// Parts of the height pattern: its line label, its value label, and the
// pattern from the value label on.
extern const std::wstring s_heightLine;
extern const std::wstring s_heightLabel;
extern const std::wstring s_heightValue;

} // namespace Patterns
} // namespace Spectrum
