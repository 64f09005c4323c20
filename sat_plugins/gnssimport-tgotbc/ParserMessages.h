// Message texts of the TGO/TBC plug-in.
#pragma once

#include <string>

namespace str {

extern const std::wstring IDS_INVALID_STR_FORMAT;
extern const std::wstring IDS_NO_TOKEN_SEPARATOR;
extern const std::wstring IDS_EMPTY_POINT_NAME; // "%ls" stands for the generated name

} // namespace str
