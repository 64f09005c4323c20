#include "DetectedLineImport.h"

#include "../Common/Messages.h"
#include "../Exceptions/Exceptions.h"
#include "../PluginHelpers/TargetHelpers.h"
#include "DetectedTextFile.h"

#include <algorithm>
#include <cstddef>

namespace Plugin {

void importDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                         TargetCharConverter<ISatImportTarget3>& converter, ISatImportTarget* target,
                         const LineParser& parser, LineErrorPolicy policy)
{
    // The lines are decoded one at a time: the file is held once, as bytes.
    DetectedTextFile file;
    if (!file.open(path, charset, converter)) {
        target->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }

    const std::size_t lineCount = file.lineCount();
    std::wstring line;
    for (std::size_t i = 0; i < lineCount && file.nextLine(line); ++i) {
        target->SetCurrentLine(Utils::lineNumber(i));
        try {
            parser.parseLine(line);
        } catch (const CParseException& e) {
            target->ReportError(e.GetMessage().c_str());
            if (policy == LineErrorPolicy::ReportAndEndFile)
                return; // what was sent stays
        }
        // Unsigned numerator: no overflow on huge files; single-precision
        // rounding can pass 100 from about 670000 lines on, hence the cap.
        const float percent = static_cast<float>(100 * (i + 1)) / static_cast<float>(lineCount);
        target->SetProgress(std::min(percent, 100.0f));
    }
    target->SetProgress(100.0f);

    if (!parser.somethingParsed()) {
        target->SetCurrentLine(-1);
        target->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}

} // namespace Plugin
