// The Spectrum Survey plug-in object.
#pragma once

#include "PluginHelpers/ImportPluginBase.h"

class CImportPluginImpl : public Plugin::CImportPluginBase {
public:
    CImportPluginImpl();
    void DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target) override;

private:
    void ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target);
};
