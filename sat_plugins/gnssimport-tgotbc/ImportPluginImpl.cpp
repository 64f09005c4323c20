#include "ImportPluginImpl.h"

#include "Common/Messages.h"
#include "EncodingDetector/DetectedTextFile.h"
#include "Exceptions/Exceptions.h"
#include "Parser.h"

#include <algorithm>

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

void CImportPluginImpl::ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* pImportTarget)
{
    // The lines are decoded one at a time: the file is held once, as bytes.
    Plugin::DetectedTextFile file;
    if (!file.open(fileName, m_charset, m_converter)) {
        pImportTarget->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }

    CParser parser(pImportTarget);
    const std::size_t lineCount = file.lineCount();
    std::wstring line;
    for (std::size_t lineIndex = 0; lineIndex < lineCount && file.nextLine(line); ++lineIndex) {
        pImportTarget->SetCurrentLine(static_cast<int>(lineIndex));
        try {
            parser.ParseLine(line);
        } catch (const CParseException& e) {
            // One bad line is reported and the file goes on.
            pImportTarget->ReportError(e.GetMessage().c_str());
        }
        // Unsigned numerator: no overflow on huge files; single-precision
        // rounding can pass 100 from about 670000 lines on, hence the cap.
        const float percent = static_cast<float>(100 * (lineIndex + 1)) / static_cast<float>(lineCount);
        pImportTarget->SetProgress(std::min(percent, 100.0f));
    }
    pImportTarget->SetProgress(100.0f);

    if (!parser.SomethingParsed()) {
        pImportTarget->SetCurrentLine(-1);
        pImportTarget->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
