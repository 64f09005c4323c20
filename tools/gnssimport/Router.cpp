#include "Router.h"

#include "Text.h"

#include <gnssimport/host/FormatSignature.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace cli {

namespace {

FileResult failed(const std::wstring& path, const std::wstring& message)
{
    FileResult result;
    result.path = path;
    result.data.path = path;
    result.data.messages.push_back({host::ImportMessage::Error, message, -1});
    return result;
}

// The start of the file, for its format signature; false with the reason
// when the file cannot be read.
bool readHead(const std::wstring& path, std::string& bytes, std::string& reason)
{
    const std::filesystem::path p(utf8(path));
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec)) {
        reason = "is a directory";
        return false;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        reason = std::strerror(errno);
        return false;
    }
    bytes.assign(16384, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return true;
}

} // namespace

bool hasFileLevelError(const host::ImportedFile& file) { return file.hasFileLevelError(); }

Router::Router(PluginCatalog& catalog, Importer& importer) : m_catalog(catalog), m_importer(importer) {}

FileResult Router::route(const std::wstring& path)
{
    const std::wstring fileName = fromUtf8(std::filesystem::path(utf8(path)).filename().string());
    // Only the plug-ins that loaded take part.
    std::vector<PluginEntry*> candidates;
    for (auto& entry : m_catalog.entries())
        if (entry.loaded && entry.loaded->descriptor().matches(fileName))
            candidates.push_back(&entry);
    // A file no filter claims (an LGO table saved as .csv, say) is offered
    // to every plug-in; a lone claimant gets the file whatever it makes of it.
    const bool claimed = !candidates.empty();
    if (!claimed)
        for (auto& entry : m_catalog.entries())
            if (entry.loaded)
                candidates.push_back(&entry);
    if (claimed && candidates.size() == 1)
        return m_importer.run(*candidates.front()->loaded, path);

    // Trial imports would all fail on a file nobody can open: say so once.
    std::string head, reason;
    if (!readHead(path, head, reason))
        return failed(path, L"cannot open file: " + fromUtf8(reason));

    // The plug-in whose format the file's start shows is tried first: a
    // trial costs time, and some plug-ins hold a whole file in memory.
    const std::string format = host::identifyFormat(utf8(path), head);
    std::stable_partition(candidates.begin(), candidates.end(),
                          [&](const PluginEntry* entry) { return !format.empty() && entry->name == format; });

    std::vector<FileResult> trials;
    for (PluginEntry* entry : candidates) {
        FileResult result = m_importer.run(*entry->loaded, path);
        if (result.records() > 0 && !hasFileLevelError(result.data))
            return result;
        trials.push_back(std::move(result));
    }
    for (auto& result : trials)
        if (result.records() > 0)
            return std::move(result);
    std::wstring tried;
    for (const PluginEntry* entry : candidates)
        tried += (tried.empty() ? L"" : L", ") + entry->loaded->descriptor().name;
    FileResult result = failed(path, L"no plug-in recognises this file (tried " + tried + L")");
    result.data.text = trials.front().data.text; // why the text may have been unreadable
    return result;
}

} // namespace cli
