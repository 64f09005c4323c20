#include "Importer.h"

#include "Text.h"

#include <gnssimport/host/FileList.h>

#include <exception>

namespace cli {

namespace {

// The recording target with SetProgress also moving the progress bar.
class ProgressTarget : public host::RecordingTarget {
public:
    explicit ProgressTarget(ProgressBar& progress) : host::RecordingTarget(options()), m_progress(progress) {}

    // The CLI takes full covariances where the plug-ins have them.
    static Options options()
    {
        Options o;
        o.offerCovariance = true;
        return o;
    }

    void SetProgress(float percent) override
    {
        host::RecordingTarget::SetProgress(percent);
        m_progress.update(percent);
    }

private:
    ProgressBar& m_progress;
};

// One result for the file: the plug-in may announce it more than once (or
// not at all, when it fails before SetCurrentFile).
void merge(const std::vector<host::ImportedFile>& files, host::ImportedFile& into)
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

} // namespace

Importer::Importer(const ImporterOptions& options, ProgressBar& progress) : m_options(options), m_progress(progress) {}

FileResult Importer::run(host::LoadedPlugin& plugin, const std::wstring& path)
{
    FileResult result;
    result.path = path;
    result.pluginName = utf8(plugin.descriptor().name);

    ProgressTarget target(m_progress);
    target.setRecordEvents(m_options.recordEvents);
    if (!m_options.defaultCharset.empty())
        target.charsets().setDefaultCharset(m_options.defaultCharset);
    host::FileList files;
    files.add(path);

    m_progress.start(result.pluginName + ": " + utf8(path));
    std::string failure;
    try {
        plugin.plugin()->DoImport(&files, &target);
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "unknown exception";
    }
    m_progress.clear();

    result.data.path = path;
    merge(target.files(), result.data);
    result.events = target.events();
    if (!failure.empty())
        result.data.messages.push_back({host::ImportMessage::Error, L"import aborted: " + fromUtf8(failure), -1});
    return result;
}

} // namespace cli
