#include "Importer.h"

#include "Text.h"

#include <gnssimport/host/FileList.h>
#include <gnssimport/host/ImportRun.h>

#include <stdexcept>

namespace cli {

namespace {

// The recording target with SetProgress also moving the progress bar.
class ProgressTarget : public host::RecordingTarget {
public:
    ProgressTarget(ProgressBar& progress, bool recordEvents)
        : host::RecordingTarget(options(recordEvents)), m_progress(progress)
    {
        setRecordEvents(recordEvents);
    }

    // The CLI takes full covariances where the plug-ins have them. Progress
    // (one value per line) is kept only as part of the event stream.
    static Options options(bool recordEvents)
    {
        Options o;
        o.offerCovariance = true;
        o.recordProgress = recordEvents;
        return o;
    }

    void SetProgress(float percent) override
    {
        host::RecordingTarget::SetProgress(percent);
        if (m_progress.enabled())
            m_progress.update(percent);
    }

private:
    ProgressBar& m_progress;
};

} // namespace

Importer::Importer(const ImporterOptions& options, ProgressBar& progress)
    : m_options(options), m_progress(progress)
{
    // Without a temporary file the records stay in memory: slower to fail
    // on a huge import than to refuse a small one.
    if (options.spool) {
        try {
            m_spool = std::make_shared<RecordSpool>();
        } catch (const std::runtime_error&) {
        }
    }
}

FileResult Importer::run(host::LoadedPlugin& plugin, const std::wstring& path)
{
    FileResult result;
    result.path = path;
    result.pluginName = utf8(plugin.descriptor().name);

    ProgressTarget target(m_progress, m_options.recordEvents);
    if (!m_options.defaultCharset.empty())
        target.charsets().setDefaultCharset(m_options.defaultCharset);
    host::FileList files;
    files.add(path);
    if (m_spool) {
        target.setRecordSink(m_spool.get());
        result.spool = m_spool;
        result.spoolBegin = m_spool->end();
    }

    m_progress.start(result.pluginName + ": " + utf8(path));
    const std::string failure = host::runImport(*plugin.plugin(), files, target);
    m_progress.clear();
    target.finishRecords();
    if (m_spool) {
        result.spoolEnd = m_spool->end();
        if (!m_spool->failure().empty())
            throw std::runtime_error(m_spool->failure());
    }

    result.data.path = path;
    host::mergeFiles(target.takeFiles(), result.data);
    result.events = target.events();
    if (!failure.empty())
        result.data.messages.push_back({host::ImportMessage::Error, L"import aborted: " + fromUtf8(failure), -1});
    return result;
}

} // namespace cli
