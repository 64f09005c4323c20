#include "ImportPluginImpl.h"

#include "CommonHelpers/FileReader.h"
#include "Exceptions/Exceptions.h"
#include "ParserCreator.h"
#include "PinnacleMessages.h"

namespace {

// The lines of the file, decoded one at a time: the file is held once, as
// bytes, however long it is.
class CFileLines : public ILineSource {
public:
    explicit CFileLines(Plugin::FileReader& reader) : m_reader(reader) {}
    bool NextLine(std::wstring& line) override { return m_reader.readLine(line); }

private:
    Plugin::FileReader& m_reader;
};

} // namespace

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
    Plugin::FileReader reader(path, &m_converter);
    if (!reader.isOpen())
        throw str::IDS_FILE_OPEN_ERROR;
    CFileLines lines(reader);
    ParseFile(path, lines, parser.get(), target);
}

void CImportPluginImpl::ParseFile(const std::wstring&, ILineSource& lines, IFileParser* parser,
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
