// Messages as people read them: "path:line: error: text" on stderr, and a
// summary at the end.
#pragma once

#include "ImportResult.h"
#include "Messages.h"

#include <ostream>

namespace cli {

// The file's messages; the host's notes on event-stream breaches only when verbose.
void reportMessages(std::ostream& err, const FileResult& result, bool verbose, Language language);
void writeSummary(std::ostream& err, const ImportResults& results);
// True when any file reported an error.
bool anyErrors(const ImportResults& results);

} // namespace cli
