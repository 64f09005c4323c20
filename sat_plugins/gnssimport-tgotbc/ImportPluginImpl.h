// The TGO/TBC plug-in object: reads "*.asc" exports of bracketed sections.
#pragma once

#include "PluginHelpers/ImportPluginBase.h"

#include <string>

class CImportPluginImpl : public Plugin::CImportPluginBase {
public:
    CImportPluginImpl();
    void DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target) override;

private:
    // Imports one file; file and line failures are reported to the target.
    void ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target);
};
