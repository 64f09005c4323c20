#include "ImportPluginImpl.h"

#include "EncodingDetector/DetectedLineImport.h"
#include "Parser.h"

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
    CParser parser(target);
    // A bad line is reported and the file goes on.
    Plugin::importDetectedLines(fileName, m_charset, m_converter, target,
                                {[&](std::wstring& line) { parser.ParseLine(line); },
                                 [&] { return parser.SomethingParsed(); }},
                                Plugin::LineErrorPolicy::ReportAndContinue);
}
