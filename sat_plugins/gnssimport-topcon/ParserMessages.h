// Message texts of the Topcon importer besides the common ones.
#pragma once

#include <string>

namespace str {

extern const std::wstring IDS_VECTOR_ORIGIN_NOT_SET;
extern const std::wstring IDS_VECTOR_TARGET_NOT_SET;

} // namespace str
