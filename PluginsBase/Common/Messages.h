// Message texts common to every plug-in.
#pragma once

#include <string>

namespace str {

extern const std::wstring IDS_FILE_OPEN_ERROR;
extern const std::wstring IDS_INVALID_FILE_FORMAT;

} // namespace str
