#include <gnssimport/host/RecordingTarget.h>

#include <gnssimport/host/AngleConverters.h>
#include <gnssimport/host/Utf8.h>

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <limits>
#include <sstream>

namespace host {

namespace {

std::wstring number(double value)
{
    std::wostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);
    out << value;
    return out.str();
}

} // namespace

const wchar_t* eventName(Plugin::SatEvents id)
{
    static const wchar_t* const names[] = {L"Point",  L"VectorOrigin", L"VectorTarget", L"DeltaX", L"DeltaY",
                                           L"DeltaZ", L"SigmaX",       L"SigmaY",       L"SigmaZ", L"RMS",
                                           L"Factor", L"Latitude",     L"Longitude"};
    const int i = static_cast<int>(id);
    return i >= 0 && i < 13 ? names[i] : L"?";
}

std::wstring describe(const TargetEvent& e)
{
    switch (e.kind) {
    case TargetEvent::SetCurrentFile:
        return L"SetCurrentFile(" + e.text + L")";
    case TargetEvent::SetCurrentLine:
        return L"SetCurrentLine(" + std::to_wstring(e.line) + L")";
    case TargetEvent::ReportWarning:
        return L"ReportWarning(" + e.text + L")";
    case TargetEvent::ReportError:
        return L"ReportError(" + e.text + L")";
    case TargetEvent::SetProgress:
        return L"SetProgress(" + number(e.value) + L")";
    case TargetEvent::SetValue:
        return std::wstring(L"SetValue(") + eventName(e.id) + L"," + number(e.value) + L")";
    case TargetEvent::SetText:
        return std::wstring(L"SetText(") + eventName(e.id) + L",\"" + e.text + L"\")";
    case TargetEvent::SetElevation:
        return L"SetElevation(" + number(e.value) + L")";
    case TargetEvent::SetEllipsoidalHeight:
        return L"SetEllipsoidalHeight(" + number(e.value) + L")";
    case TargetEvent::SetCovariance: {
        std::wstring text = L"SetCovariance(";
        for (std::size_t i = 0; i < e.covariance.size(); ++i)
            text += (i ? L"," : L"") + number(e.covariance[i]);
        return text + L")";
    }
    }
    return L"?";
}

RecordingTarget::RecordingTarget() : RecordingTarget(Options()) {}

RecordingTarget::RecordingTarget(const Options& options) : m_options(options) {}

void RecordingTarget::clear()
{
    m_events.clear();
    m_files.clear();
    m_fileText = FileText();
    m_line = -1;
    m_pointOpen = false;
    m_vectorOpen = false;
    m_nextVectorValue = 0;
}

void RecordingTarget::sendOpenRecords(bool points, bool vectors)
{
    if (!m_sink || m_files.empty())
        return;
    ImportedFile& file = m_files.back();
    // The record sent is kept aside, so that the next one reuses its text.
    if (points && !file.points.empty()) {
        m_sink->point(file.points.back());
        m_sentPoint = std::move(file.points.back());
        file.points.clear();
        ++file.sentPoints;
    }
    if (vectors && !file.vectors.empty()) {
        m_sink->vector(file.vectors.back());
        m_sentVector = std::move(file.vectors.back());
        file.vectors.clear();
        ++file.sentVectors;
    }
}

std::vector<ImportedFile> RecordingTarget::takeFiles()
{
    std::vector<ImportedFile> files = std::move(m_files);
    m_files.clear();
    return files;
}

void RecordingTarget::finishRecords()
{
    sendOpenRecords(true, true);
}

TargetEvent& RecordingTarget::record(TargetEvent::Kind kind)
{
    return m_events.emplace_back(kind);
}

ImportedFile& RecordingTarget::currentFile()
{
    if (m_files.empty()) {
        m_files.emplace_back();
        m_files.back().messages.push_back({ImportMessage::HostWarning, L"event before SetCurrentFile", -1});
    }
    return m_files.back();
}

void RecordingTarget::hostWarning(const std::wstring& text)
{
    currentFile().messages.push_back({ImportMessage::HostWarning, text, m_line});
}

Plugin::IUnitConvertersFactory* RecordingTarget::GetUnitConvertersFactory()
{
    return m_options.offerConverters ? createUnitConvertersFactory() : nullptr;
}

void RecordingTarget::SetCurrentFile(const wchar_t* path)
{
    sendOpenRecords(true, true);
    m_files.emplace_back();
    m_files.back().path = path ? path : L"";
    m_fileText = inspectFileText(toUtf8(m_files.back().path));
    m_files.back().text.validUtf8 = m_fileText.validUtf8;
    m_files.back().text.nonAscii = m_fileText.nonAscii;
    m_line = -1;
    m_pointOpen = false;
    m_vectorOpen = false;
    if (m_recordEvents)
        record(TargetEvent::SetCurrentFile).text = m_files.back().path;
}

void RecordingTarget::SetCurrentLine(int line)
{
    m_line = line;
    if (m_recordEvents)
        record(TargetEvent::SetCurrentLine).line = line;
}

void RecordingTarget::ReportWarning(const wchar_t* message)
{
    currentFile().messages.push_back({ImportMessage::Warning, message ? message : L"", m_line});
    if (m_recordEvents)
        record(TargetEvent::ReportWarning).text = currentFile().messages.back().text;
}

void RecordingTarget::ReportError(const wchar_t* message)
{
    currentFile().messages.push_back({ImportMessage::Error, message ? message : L"", m_line});
    if (m_recordEvents)
        record(TargetEvent::ReportError).text = currentFile().messages.back().text;
}

void RecordingTarget::SetProgress(float percent)
{
    if (!(percent >= 0.0f && percent <= 100.0f))
        hostWarning(L"progress out of range: " + number(percent));
    if (!m_options.recordProgress)
        return;
    currentFile().progress.push_back(percent);
    if (m_recordEvents)
        record(TargetEvent::SetProgress).value = percent;
}

void* RecordingTarget::QueryInterface(Plugin::SatImportTargetInterface id)
{
    switch (id) {
    case Plugin::IID_ISatImportTarget:
        return static_cast<Plugin::ISatImportTarget*>(this);
    case Plugin::IID_ISatImportTarget2:
        return m_options.offerTarget2 ? static_cast<Plugin::ISatImportTarget2*>(this) : nullptr;
    case Plugin::IID_ISatImportTarget3:
        return m_options.offerTarget3 ? static_cast<Plugin::ISatImportTarget3*>(this) : nullptr;
    case Plugin::IID_ISatImportTargetCovariance:
        return m_options.offerCovariance ? static_cast<Plugin::ISatImportTargetCovariance*>(this) : nullptr;
    }
    return nullptr;
}

void RecordingTarget::SetValue(Plugin::SatEvents event, double value)
{
    if (m_recordEvents) {
        TargetEvent& e = record(TargetEvent::SetValue);
        e.id = event;
        e.value = value;
    }
    ImportedFile& file = currentFile();
    if (event == Plugin::Latitude || event == Plugin::Longitude) {
        if (!m_pointOpen || file.points.empty()) {
            hostWarning(std::wstring(eventName(event)) + L" with no point open");
        } else {
            auto& slot = event == Plugin::Latitude ? file.points.back().latitude : file.points.back().longitude;
            slot = value;
        }
    } else if (event >= Plugin::DeltaX && event <= Plugin::Factor) {
        const int index = static_cast<int>(event) - static_cast<int>(Plugin::DeltaX);
        if (!m_vectorOpen || file.vectors.empty()) {
            hostWarning(std::wstring(eventName(event)) + L" with no vector open");
        } else {
            if (index != m_nextVectorValue)
                hostWarning(std::wstring(eventName(event)) + L" out of order");
            file.vectors.back().values[index] = value;
            m_nextVectorValue = index + 1;
        }
    } else {
        hostWarning(std::wstring(L"SetValue with text event ") + eventName(event));
    }
}

void RecordingTarget::SetText(Plugin::SatEvents event, const wchar_t* text)
{
    if (!text)
        text = L"";
    if (m_recordEvents) {
        TargetEvent& e = record(TargetEvent::SetText);
        e.id = event;
        e.text = text;
    }
    ImportedFile& file = currentFile();
    switch (event) {
    case Plugin::Point: {
        sendOpenRecords(true, false);
        ImportedPoint point;
        point.name = std::move(m_sentPoint.name); // the storage of the last one sent
        point.name = text;
        point.line = m_line;
        file.points.push_back(std::move(point));
        m_pointOpen = true;
        break;
    }
    case Plugin::VectorOrigin: {
        sendOpenRecords(false, true);
        ImportedVector vector;
        vector.origin = std::move(m_sentVector.origin); // the storage of the last one sent
        vector.target = std::move(m_sentVector.target);
        vector.origin = text;
        vector.target.clear();
        vector.line = m_line;
        file.vectors.push_back(std::move(vector));
        m_vectorOpen = true;
        m_nextVectorValue = -1; // the target name comes next
        break;
    }
    case Plugin::VectorTarget:
        if (!m_vectorOpen || file.vectors.empty() || m_nextVectorValue != -1) {
            hostWarning(L"VectorTarget without VectorOrigin just before");
            sendOpenRecords(false, true);
            ImportedVector vector;
            vector.line = m_line;
            file.vectors.push_back(std::move(vector));
            m_vectorOpen = true;
        }
        file.vectors.back().target = text;
        m_nextVectorValue = 0;
        break;
    default:
        hostWarning(std::wstring(L"SetText with value event ") + eventName(event));
    }
}

void RecordingTarget::SetElevation(double value)
{
    if (m_recordEvents)
        record(TargetEvent::SetElevation).value = value;
    ImportedFile& file = currentFile();
    if (!m_pointOpen || file.points.empty())
        hostWarning(L"SetElevation with no point open");
    else
        file.points.back().elevation = value;
}

void RecordingTarget::SetEllipsoidalHeight(double value)
{
    if (m_recordEvents)
        record(TargetEvent::SetEllipsoidalHeight).value = value;
    ImportedFile& file = currentFile();
    if (!m_pointOpen || file.points.empty())
        hostWarning(L"SetEllipsoidalHeight with no point open");
    else
        file.points.back().ellipsoidalHeight = value;
}

void RecordingTarget::SetCovariance(double xx, double xy, double xz, double yy, double yz, double zz)
{
    const std::array<double, 6> covariance{xx, xy, xz, yy, yz, zz};
    if (m_recordEvents)
        record(TargetEvent::SetCovariance).covariance = covariance;
    ImportedFile& file = currentFile();
    if (!m_vectorOpen || file.vectors.empty())
        hostWarning(L"SetCovariance with no vector open");
    else if (file.vectors.back().covariance)
        hostWarning(L"SetCovariance twice for one vector");
    else
        file.vectors.back().covariance = covariance;
}

int RecordingTarget::ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data)
{
    int result = m_options.convertBytesResult;
    if (result == 0) {
        std::string name;
        for (const wchar_t* p = charset; p && *p; ++p)
            name += static_cast<char>(*p < 0x80 ? *p : '?');
        if (name.empty() && m_fileText.read)
            name = m_fileText.validUtf8 ? "UTF-8" : m_charsets.defaultCharset();
        std::wstring text;
        const bool strconv = service && std::wcscmp(service, L"strconv") == 0;
        const int size = data ? data->size() : 0;
        const bool converted =
            strconv && data && m_charsets.convert(name, data->data(), static_cast<std::size_t>(size > 0 ? size : 0), text);
        noteDecoding(name, converted);
        if (converted) {
            // The byte array's size is an int: text beyond it is a failure.
            const std::size_t bytes = text.size() * sizeof(wchar_t);
            if (bytes > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
                result = 1;
            } else {
                data->resize(static_cast<int>(bytes));
                if (bytes)
                    std::memcpy(data->data(), text.data(), bytes);
            }
        } else {
            result = 1;
        }
    }
    ++m_conversions;
    return result;
}

void RecordingTarget::noteDecoding(const std::string& charset, bool converted)
{
    if (m_files.empty())
        return;
    TextDecoding& text = m_files.back().text;
    if (!converted) {
        text.failedCharset = charset;
        ++text.failedLines;
    }
    if (text.validUtf8 && text.nonAscii && text.singleByteCharset.empty() && m_charsets.isSingleByte(charset))
        text.singleByteCharset = charset;
}

std::vector<std::wstring> RecordingTarget::describeEvents(bool withProgress) const
{
    std::vector<std::wstring> out;
    out.reserve(m_events.size());
    for (const auto& e : m_events) {
        if (!withProgress && e.kind == TargetEvent::SetProgress)
            continue;
        out.push_back(describe(e));
    }
    return out;
}

} // namespace host
