#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "CommonHelpers/FileReader.h"
#include "Exceptions/Exceptions.h"

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"LGO", L"LGO", L"*.txt"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    m_pImportTarget = target;
    RunImport(files, target, [&](const std::wstring& path) { ParseFile(path); });
}

void CImportPluginImpl::ParseFile(const std::wstring& fileName)
{
    m_pImportTarget->SetCurrentFile(fileName.c_str());
    try {
        Plugin::FileReader reader(fileName, &m_converter);
        if (!reader.isOpen())
            throw Exceptions::CFileOpenError(fileName);
        std::vector<std::wstring> lines;
        reader.readLines(lines);
        // The table processing comes with the LGO format.
        throw Exceptions::CInvalidFileFormat();
    } catch (const Exceptions::CFileOpenError&) {
        m_pImportTarget->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
    } catch (const Exceptions::CInvalidFileFormat&) {
        m_pImportTarget->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
