// The LGO plug-in object: imports point and line tables and lets the user
// edit the column identifiers in the host's property list view.
#pragma once

#include "Identifiers.h"
#include "Table.h"

#include "PluginHelpers/ImportPluginBase.h"

#include <string>
#include <vector>

class CImportPluginImpl : public Plugin::CImportPluginBase, public Plugin::IPropertyListViewController {
public:
    CImportPluginImpl();

    // IPlugin2 / ISatelliteMIP
    void LoadSettings(Plugin::ISettings* settings) override;
    void SaveSettings(Plugin::ISettings* settings) const override;
    Plugin::IPropertyListViewController* GetPropertyListViewController() override { return this; }
    void DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target) override;

    // IPropertyListViewController
    void OnPropertyListViewInit(Plugin::IPropertyListView* view) override;
    bool OnNewPropertyValueValidate(int propertyId) override;
    bool OnAllPropertiesValidate() override;
    void OnPropertyListViewOK() override;
    void OnPropertyListViewCancel() override;

    // Index of the first column called name, or -1.
    static int FindHeaderIndex(const std::vector<std::wstring>& columnNames, const std::wstring& name);

private:
    void ParseFile(const std::wstring& path);
    void ProcessPointsTable(CTableFile& table);
    void ProcessLinesTable(CTableFile& table);

    Plugin::ISatImportTarget* m_pImportTarget = nullptr;
    Plugin::IPropertyListView* m_pPropListView = nullptr;
    CIdentifiers m_ids;
};
