#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "CommonHelpers/FileReader.h"

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"Pinnacle", L"Pinnacle", L"*.dat"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    RunImport(files, target, [&](const std::wstring& path) {
        try {
            ParseFile(path, target);
        } catch (const std::wstring& message) {
            target->ReportError(message.c_str());
        }
    });
}

void CImportPluginImpl::ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target)
{
    target->SetCurrentFile(fileName.c_str());
    Plugin::FileReader reader(fileName, &m_converter);
    if (!reader.isOpen())
        throw str::IDS_FILE_OPEN_ERROR;
    std::vector<std::wstring> lines;
    reader.readLines(lines);
    // The station.dat and vector.dat parsers come with the format.
    target->SetProgress(100.0f);
}
