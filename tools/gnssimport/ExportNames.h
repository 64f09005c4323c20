// Station names as an export format can hold them, and XML escaping.
#pragma once

#include "ExportNetwork.h"

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Gives each station its id: the name as the file gives it where the rule
// allows, else with each offending character replaced by '_' (and a
// number appended should that meet another station's name). Each renaming
// is listed on warnings.
void assignIds(std::vector<ExportStation>& stations, NameRule rule, std::ostream& warnings);

// UTF-8 text escaped for XML element content and attribute values.
std::string xmlEscape(const std::string& text);
// The stations' ids escaped for XML, once, as each is written many times.
std::vector<std::string> escapedIds(const ExportNetwork& network);

} // namespace cli
