#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "CommonHelpers/FileReader.h"
#include "Exceptions/Exceptions.h"

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"Spectrum Survey", L"SpectrumSurvey", L"*.txt"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    RunImport(files, target, [&](const std::wstring& path) { ParseFile(path, target); });
}

void CImportPluginImpl::ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target)
{
    target->SetCurrentFile(fileName.c_str());
    Plugin::FileReader reader(fileName, &m_converter);
    if (!reader.isOpen()) {
        target->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }
    std::wstring text;
    std::wstring line;
    while (reader.readLine(line)) {
        text += line;
        text += L'\n';
    }
    try {
        // The report parser comes with the Spectrum Survey format.
        throw CInvalidFileFormatException();
    } catch (const CInvalidFileFormatException&) {
        target->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
