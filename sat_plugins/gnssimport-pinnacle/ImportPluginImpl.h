// The Pinnacle plug-in object: imports station.dat and vector.dat files.
#pragma once

#include "IFileParser.h"
#include "PluginHelpers/ImportPluginBase.h"

#include <string>

class CImportPluginImpl : public Plugin::CImportPluginBase {
public:
    CImportPluginImpl();
    void DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target) override;

private:
    // Each step throws a std::wstring holding the message when the file
    // cannot be imported.
    void ImportFile(const std::wstring& path, Plugin::ISatImportTarget* target);
    void ParseFile(const std::wstring& path, ILineSource& lines, IFileParser* parser, Plugin::ISatImportTarget* target);
};
