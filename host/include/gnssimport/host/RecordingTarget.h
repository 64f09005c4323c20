// The reference host's import target: records the raw event stream and
// assembles it into files, points, vectors and messages.
#pragma once

#include <gnssimport/host/CharsetConversion.h>
#include <gnssimport/host/ImportModel.h>
#include <gnssimport/ImportTarget.h>
#include <gnssimport/ImportTargetCovariance.h>

#include <array>
#include <string>
#include <vector>

namespace host {

// One call the plug-in made on the target.
struct TargetEvent {
    enum Kind {
        SetCurrentFile,
        SetCurrentLine,
        ReportWarning,
        ReportError,
        SetProgress,
        SetValue,
        SetText,
        SetElevation,
        SetEllipsoidalHeight,
        SetCovariance
    };
    explicit TargetEvent(Kind k) : kind(k) {}

    Kind kind;
    Plugin::SatEvents id = Plugin::Point; // SetValue and SetText
    double value = 0;                     // SetValue, heights, SetProgress
    int line = 0;                         // SetCurrentLine
    std::wstring text;                    // path, message or text
    std::array<double, 6> covariance{};   // SetCovariance
};

// Readable form of an event, e.g. SetText(Point,"A") or SetValue(DeltaX,1.5).
std::wstring describe(const TargetEvent& event);
const wchar_t* eventName(Plugin::SatEvents id);

class RecordingTarget : public Plugin::ISatImportTarget3, public Plugin::ISatImportTargetCovariance {
public:
    struct Options {
        bool offerTarget2 = true; // answer QueryInterface for ISatImportTarget2
        bool offerTarget3 = true; // answer QueryInterface for ISatImportTarget3
        // Answer QueryInterface for ISatImportTargetCovariance. Off by default,
        // so that the target sees what the vendor host sees unless asked.
        bool offerCovariance = false;
        int convertBytesResult = 0; // a non-zero value makes every ConvertBytes fail with it
        bool recordProgress = true;
        bool offerConverters = true; // false: GetUnitConvertersFactory returns null
    };

    RecordingTarget();
    explicit RecordingTarget(const Options& options);

    // ISatImportTarget
    Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override;
    void SetCurrentFile(const wchar_t* path) override;
    void SetCurrentLine(int line) override;
    void Reserved4() override {}
    void ReportWarning(const wchar_t* message) override;
    void ReportError(const wchar_t* message) override;
    void SetProgress(float percent) override;
    void* QueryInterface(Plugin::SatImportTargetInterface id) override;
    void Reserved9() override {}
    void Reserved10() override {}
    void SetValue(Plugin::SatEvents event, double value) override;
    void SetText(Plugin::SatEvents event, const wchar_t* text) override;
    void Reserved13() override {}
    // ISatImportTarget2
    void SetElevation(double value) override;
    void SetEllipsoidalHeight(double value) override;
    // ISatImportTarget3. An empty charset is decided once per file: at
    // SetCurrentFile the file is read through (inspectFileText) and its text
    // is UTF-8 when all of it is valid UTF-8, else the converter's default
    // charset. Before any file, or for a file that cannot be read, each text
    // is judged on its own.
    int ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data) override;
    // ISatImportTargetCovariance
    void SetCovariance(double xx, double xy, double xz, double yy, double yz, double zz) override;

    const std::vector<TargetEvent>& events() const { return m_events; }
    const std::vector<ImportedFile>& files() const { return m_files; }
    // The files, moved out; the target keeps none.
    std::vector<ImportedFile> takeFiles();
    // Readable event stream, one describe() per event (progress left out when asked).
    std::vector<std::wstring> describeEvents(bool withProgress = true) const;
    CharsetConverter& charsets() { return m_charsets; }
    long conversions() const { return m_conversions; }
    void setRecordEvents(bool on) { m_recordEvents = on; }
    // With a sink, complete points and vectors go to it and are only counted
    // here (ImportedFile::sentPoints, sentVectors); call finishRecords()
    // after the import to hand over the last ones. The sink must outlive
    // the import.
    void setRecordSink(RecordSink* sink) { m_sink = sink; }
    void finishRecords();
    void clear();

private:
    ImportedFile& currentFile();
    void hostWarning(const std::wstring& text);
    void noteDecoding(const std::string& charset, bool converted);
    // A new event of kind at the end of the stream, for the caller to fill in.
    TargetEvent& record(TargetEvent::Kind kind);
    void sendOpenRecords(bool points, bool vectors);

    Options m_options;
    bool m_recordEvents = true;
    RecordSink* m_sink = nullptr;
    ImportedPoint m_sentPoint; // the last records handed to the sink
    ImportedVector m_sentVector;
    std::vector<TargetEvent> m_events;
    std::vector<ImportedFile> m_files;
    CharsetConverter m_charsets;
    FileText m_fileText; // of the current file
    int m_line = -1;
    long m_conversions = 0;
    // Points and vectors are open independently: point values belong to the
    // point opened last and vector values to the vector opened last, even
    // when the other kind was opened in between.
    bool m_pointOpen = false;
    bool m_vectorOpen = false;
    int m_nextVectorValue = 0; // index into ImportedVector::values expected next
};

} // namespace host
