#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "EncodingDetector/DetectedTextFile.h"
#include "Exceptions/Exceptions.h"
#include "Parser.h"

#include <algorithm>
#include <cstddef>

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"Topcon", L"Topcon", L"*.txt;*.tvf"))
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
    // The lines are decoded one at a time: the file is held once, as bytes.
    Plugin::DetectedTextFile file;
    if (!file.open(fileName, m_charset, m_converter)) {
        target->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }

    CTopconParser parser(target);
    const std::size_t lines = file.lineCount();
    const float lineCount = static_cast<float>(lines);
    std::wstring line;
    try {
        for (std::size_t i = 0; i < lines && file.nextLine(line); ++i) {
            target->SetCurrentLine(static_cast<int>(i));
            parser.ParseLine(line);
            // From about 671000 lines float rounding can push the last steps past 100.
            target->SetProgress(std::min(static_cast<float>(100 * (i + 1)) / lineCount, 100.0f));
        }
    } catch (const CParseException& e) {
        // A vector without its names ends the file; what was sent stays.
        target->ReportError(e.GetMessage().c_str());
        return;
    }

    target->SetProgress(100.0f);
    if (!parser.SomethingParsed()) {
        target->SetCurrentLine(-1);
        target->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
