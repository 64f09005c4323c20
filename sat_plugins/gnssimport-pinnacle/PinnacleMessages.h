// Message texts of the Pinnacle plug-in besides the common ones.
#pragma once

#include "Common/Messages.h"

#include <string>

namespace str {

extern const std::wstring IDS_INVALID_INPUT_FILE;

} // namespace str
