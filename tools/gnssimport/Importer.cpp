#include "Importer.h"

#include "EventAssembly.h"
#include "Text.h"

#include "host/FileList.h"

#include <exception>

namespace cli {

namespace {

// The recording target with SetProgress also moving the progress bar.
class ProgressTarget : public host::RecordingTarget {
public:
    explicit ProgressTarget(ProgressBar& progress) : m_progress(progress) {}

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
    target.setRecordEvents(true);
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

    // Assembled here rather than taken from target.files(): that one does
    // not let point and vector events interleave.
    result.data = assemble(target.events());
    result.data.path = path;
    if (m_options.recordEvents)
        result.events = target.events();
    if (!failure.empty())
        result.data.messages.push_back({host::ImportMessage::Error, L"import aborted: " + fromUtf8(failure), -1});
    return result;
}

} // namespace cli
