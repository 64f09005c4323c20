#include "Importer.h"

#include "Text.h"

#include <gnssimport/host/FileList.h>
#include <gnssimport/host/ImportRun.h>

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
    const std::string failure = host::runImport(*plugin.plugin(), files, target);
    m_progress.clear();

    result.data.path = path;
    host::mergeFiles(target.files(), result.data);
    result.events = target.events();
    if (!failure.empty())
        result.data.messages.push_back({host::ImportMessage::Error, L"import aborted: " + fromUtf8(failure), -1});
    return result;
}

} // namespace cli
