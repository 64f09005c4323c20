#include "ImportPluginImpl.h"

#include "Parser.h"

#include "Common/Messages.h"
#include "CommonHelpers/FileReader.h"
#include "CommonHelpers/Utils.h"
#include "Exceptions/Exceptions.h"

#include <filesystem>
#include <system_error>

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"Spectrum Survey", L"SpectrumSurvey", L"*.txt"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    RunImport(files, target, [&](const std::wstring& path) { ParseFile(path, target); });
}

void CImportPluginImpl::ParseFile(const std::wstring& fileName, Plugin::ISatImportTarget* target)
{
    target->SetCurrentFile(fileName.c_str());
    Plugin::FileReader reader(fileName, &m_converter);
    if (!reader.isOpen()) {
        target->ReportError(str::IDS_FILE_OPEN_ERROR.c_str());
        return;
    }
    // Decoded text has at most one character per byte: reserving that much
    // spares the copies of a growing string on long reports.
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(Plugin::toPath(fileName), sizeError);
    std::wstring text;
    if (!sizeError)
        text.reserve(static_cast<std::size_t>(size));
    std::wstring line;
    while (reader.readLine(line)) {
        text += line;
        text += L'\n';
    }
    try {
        CParser parser(target);
        parser.ParseLines(text);
    } catch (const CInvalidFileFormatException&) {
        target->ReportError(str::IDS_INVALID_FILE_FORMAT.c_str());
    }
}
