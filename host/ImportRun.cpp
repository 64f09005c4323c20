#include <gnssimport/host/ImportRun.h>

#include <exception>
#include <iterator>
#include <utility>

namespace host {

std::string runImport(Plugin::ISatelliteMIP& plugin, FileList& files, Plugin::ISatImportTarget& target)
{
    try {
        plugin.DoImport(&files, &target);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "unknown exception";
    }
    return std::string();
}

namespace {

template <typename T>
void append(std::vector<T>& to, std::vector<T>& from)
{
    if (to.empty())
        to = std::move(from);
    else
        to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

} // namespace

void mergeFiles(std::vector<ImportedFile>&& files, ImportedFile& into)
{
    for (auto& file : files) {
        append(into.points, file.points);
        append(into.vectors, file.vectors);
        append(into.messages, file.messages);
        append(into.progress, file.progress);
        into.sentPoints += file.sentPoints;
        into.sentVectors += file.sentVectors;
        if (into.text.singleByteCharset.empty())
            into.text.singleByteCharset = file.text.singleByteCharset;
        if (file.text.failedLines > 0)
            into.text.failedCharset = file.text.failedCharset;
        into.text.failedLines += file.text.failedLines;
    }
}

} // namespace host
