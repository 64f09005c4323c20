// What the parsers ask of the host's import target beyond plain events:
// line numbers that fit its int, and its angle converter.
#pragma once

#include "RefCounted.h"

#include <gnssimport/ImportTarget.h>

#include <boost/intrusive_ptr.hpp>

#include <climits>
#include <cstddef>

namespace Plugin {
namespace Utils {

// A line index as SetCurrentLine takes it; past INT_MAX it stays INT_MAX
// instead of wrapping to a negative number.
inline int lineNumber(std::size_t index)
{
    return index < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(index) : INT_MAX;
}

// The host's angle converter of the given kind. Null when the host hands
// out no factory, or the factory no converter: the parsers then read every
// angle as text that is not one, so such a host gets no crash, and no
// coordinates either.
boost::intrusive_ptr<IAngleConverter> hostAngleConverter(ISatImportTarget* target, AngleConverter::Type type);

// converter's reading of text; false without a converter.
inline bool convertAngle(IAngleConverter* converter, const wchar_t* text, double& value)
{
    return converter && converter->Convert(text, value);
}

} // namespace Utils
} // namespace Plugin
