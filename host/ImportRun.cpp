#include <gnssimport/host/ImportRun.h>

#include <exception>

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

void mergeFiles(const std::vector<ImportedFile>& files, ImportedFile& into)
{
    for (const auto& file : files) {
        into.points.insert(into.points.end(), file.points.begin(), file.points.end());
        into.vectors.insert(into.vectors.end(), file.vectors.begin(), file.vectors.end());
        into.messages.insert(into.messages.end(), file.messages.begin(), file.messages.end());
        into.progress.insert(into.progress.end(), file.progress.begin(), file.progress.end());
        if (into.text.singleByteCharset.empty())
            into.text.singleByteCharset = file.text.singleByteCharset;
        if (file.text.failedLines > 0)
            into.text.failedCharset = file.text.failedCharset;
        into.text.failedLines += file.text.failedLines;
    }
}

} // namespace host
