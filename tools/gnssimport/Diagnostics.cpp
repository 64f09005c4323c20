#include "Diagnostics.h"

#include "Text.h"

namespace cli {

namespace {

std::string plural(std::size_t n, const char* word)
{
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

} // namespace

void reportMessages(std::ostream& err, const FileResult& result, bool verbose, Language language)
{
    const std::string path = utf8(result.path);
    for (const auto& m : result.data.messages) {
        const char* kind = m.severity == host::ImportMessage::Error     ? "error"
                           : m.severity == host::ImportMessage::Warning ? "warning"
                                                                        : "note";
        if (m.severity == host::ImportMessage::HostWarning && !verbose)
            continue;
        err << path;
        if (m.line >= 0)
            err << ':' << m.line + 1;
        err << ": " << kind << ": " << utf8(displayText(m.text, language)) << '\n';
    }
}

void writeSummary(std::ostream& err, const ImportResults& results)
{
    std::size_t points = 0, vectors = 0, errors = 0, warnings = 0, failed = 0;
    for (const auto& r : results) {
        points += r.pointCount();
        vectors += r.vectorCount();
        errors += r.data.count(host::ImportMessage::Error);
        warnings += r.data.count(host::ImportMessage::Warning);
        failed += r.data.hasErrors() ? 1 : 0;
    }
    err << "gnssimport: " << plural(results.size(), "file") << ", " << plural(points, "point") << ", "
        << plural(vectors, "vector") << "; " << plural(errors, "error") << " in " << plural(failed, "file") << ", "
        << plural(warnings, "warning") << '\n';
}

bool anyErrors(const ImportResults& results)
{
    for (const auto& r : results)
        if (r.data.hasErrors())
            return true;
    return false;
}

} // namespace cli
