#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "CommonHelpers/FileReader.h"
#include "Exceptions/Exceptions.h"

#include <boost/lexical_cast/bad_lexical_cast.hpp>

#include <algorithm>
#include <stdexcept>

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"LGO", L"LGO", L"*.txt"))
{
}

void CImportPluginImpl::LoadSettings(Plugin::ISettings* settings)
{
    m_ids.LoadSettings(settings);
    CImportPluginBase::LoadSettings(settings);
}

void CImportPluginImpl::SaveSettings(Plugin::ISettings* settings) const
{
    m_ids.SaveSettings(settings);
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    m_pImportTarget = target;
    RunImport(files, target, [&](const std::wstring& path) { ParseFile(path); });
}

void CImportPluginImpl::OnPropertyListViewInit(Plugin::IPropertyListView* view)
{
    m_pPropListView = view;
    m_ids.InitConfig(view);
}

bool CImportPluginImpl::OnNewPropertyValueValidate(int)
{
    return true;
}

bool CImportPluginImpl::OnAllPropertiesValidate()
{
    return true;
}

void CImportPluginImpl::OnPropertyListViewOK()
{
    // Without a view opened there is nothing to take the texts from.
    if (m_pPropListView)
        m_ids.SaveConfig(m_pPropListView);
}

void CImportPluginImpl::OnPropertyListViewCancel()
{
}

int CImportPluginImpl::FindHeaderIndex(const std::vector<std::wstring>& columnNames, const std::wstring& name)
{
    const auto it = std::find(columnNames.begin(), columnNames.end(), name);
    return it == columnNames.end() ? -1 : static_cast<int>(it - columnNames.begin());
}

void CImportPluginImpl::ParseFile(const std::wstring& path)
{
    m_pImportTarget->SetCurrentFile(path.c_str());
    try {
        // The rows are read, decoded and split one at a time: the file is
        // held once, as bytes.
        Plugin::FileReader reader(path, &m_converter);
        if (!reader.isOpen())
            throw Exceptions::CFileOpenError(path);
        CTableFile table(path, reader);
        // A header with both id columns is a points table.
        if (FindHeaderIndex(table.ColumnNames(), m_ids.PointId()) != -1)
            ProcessPointsTable(table);
        else if (FindHeaderIndex(table.ColumnNames(), m_ids.ReferenceId()) != -1)
            ProcessLinesTable(table);
        else
            throw Exceptions::CInvalidFileFormat();
    } catch (const Exceptions::CFileOpenError&) {
        m_pImportTarget->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
    } catch (const Exceptions::CInvalidFileFormat&) {
        m_pImportTarget->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    } catch (const std::out_of_range&) {
        m_pImportTarget->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    } catch (const boost::bad_lexical_cast&) {
        m_pImportTarget->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
