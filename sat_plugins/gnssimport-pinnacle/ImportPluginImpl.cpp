#include "ImportPluginImpl.h"

#include "CommonHelpers/FileReader.h"
#include "Exceptions/Exceptions.h"
#include "ParserCreator.h"
#include "PinnacleMessages.h"

CImportPluginImpl::CImportPluginImpl()
    : CImportPluginBase(GNSSIMPORT_DESCRIPTOR(L"Pinnacle", L"Pinnacle", L"*.dat"))
{
}

void CImportPluginImpl::DoImport(Plugin::IEnumerator<const wchar_t*>* files, Plugin::ISatImportTarget* target)
{
    RunImport(files, target, [&](const std::wstring& path) {
        try {
            ImportFile(path, target);
        } catch (const std::wstring& message) {
            target->ReportError(message.c_str());
        }
    });
}

void CImportPluginImpl::ImportFile(const std::wstring& path, Plugin::ISatImportTarget* target)
{
    // The parser is chosen first, so a file of another name is reported
    // without being announced.
    const std::unique_ptr<IFileParser> parser = ParserCreator::createParser(path, target);
    target->SetCurrentFile(path.c_str());
    std::vector<std::wstring> lines;
    LoadFileLines(path, lines);
    ParseFile(path, lines, parser.get(), target);
}

void CImportPluginImpl::LoadFileLines(const std::wstring& path, std::vector<std::wstring>& lines)
{
    Plugin::FileReader reader(path, &m_converter);
    if (!reader.isOpen())
        throw str::IDS_FILE_OPEN_ERROR;
    reader.readLines(lines);
}

void CImportPluginImpl::ParseFile(const std::wstring&, const std::vector<std::wstring>& lines, IFileParser* parser,
                                  Plugin::ISatImportTarget* target)
{
    try {
        parser->ParseLines(lines);
    } catch (const CParseException& e) {
        throw e.GetMessage();
    }
    target->SetProgress(100.0f);
    if (!parser->SomethingParsed()) {
        target->SetCurrentLine(-1);
        throw str::IDS_INVALID_FILE_FORMAT;
    }
}
