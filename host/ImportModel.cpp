#include <gnssimport/host/ImportModel.h>

#include <algorithm>

namespace host {

bool ImportedFile::hasErrors() const
{
    return count(ImportMessage::Error) > 0;
}

bool ImportedFile::hasFileLevelError() const
{
    return std::any_of(messages.begin(), messages.end(),
                       [](const ImportMessage& m) { return m.severity == ImportMessage::Error && m.line < 0; });
}

std::size_t ImportedFile::count(ImportMessage::Severity severity) const
{
    return static_cast<std::size_t>(std::count_if(messages.begin(), messages.end(),
                                                  [&](const ImportMessage& m) { return m.severity == severity; }));
}

} // namespace host
