#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "EncodingDetector/DetectedTextFile.h"

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"TGO/TBC", L"TGO_TBC", L"*.asc"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    RunImport(files, target, [&](const std::wstring& path) {
        target->SetCurrentFile(path.c_str());
        ParseFile(path, target);
    });
}

void CImportPluginImpl::ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target)
{
    std::vector<std::wstring> lines;
    if (!Plugin::loadDetectedLines(fileName, m_charset, m_converter, lines)) {
        target->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }
    // The record parser comes with the format; until then no file has records.
    target->SetProgress(100.0f);
    target->SetCurrentLine(-1);
    target->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
}
