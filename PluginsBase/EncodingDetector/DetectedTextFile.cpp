#include "DetectedTextFile.h"

#include "../CommonHelpers/Utils.h"
#include "RussianUtf8.h"
#include "TextEncodingDetector.h"

namespace Plugin {

namespace {

const wchar_t* charsetName(TextEncodingDetector::Encoding::Type type)
{
    switch (type) {
    case TextEncodingDetector::Encoding::cp866:
        return L"CP866";
    case TextEncodingDetector::Encoding::koi8r:
        return L"KOI8-R";
    default:
        return L"CP1251";
    }
}

} // namespace

bool DetectedTextFile::open(const std::wstring& path, const CharsetSettings& charset,
                            TargetCharConverter<ISatImportTarget3>& converter)
{
    m_converter = &converter;
    if (!readFileBytes(toPath(path), m_file)) {
        m_lines.reset(m_file.bytes);
        m_lineCount = 0;
        return false;
    }
    if (charset.m_charset.empty()) {
        // Russian text in UTF-8 is taken as such, with or without a byte-order mark.
        const bool utf8 = m_file.utf8Bom || TextEncodingDetector::IsRussianUtf8(m_file.bytes);
        converter.setCharset(utf8 ? L"UTF-8" : charsetName(TextEncodingDetector::DetectTextEncoding(m_file.bytes)));
    }
    m_lines.reset(m_file.bytes);
    m_lineCount = countLines(m_file.bytes);
    return true;
}

bool DetectedTextFile::nextLine(std::wstring& line)
{
    const char* bytes = nullptr;
    std::size_t size = 0;
    if (!m_converter || !m_lines.next(bytes, size)) {
        line.clear();
        return false;
    }
    m_converter->convertInto(bytes, size, line);
    return true;
}

bool loadDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                       TargetCharConverter<ISatImportTarget3>& converter, std::vector<std::wstring>& lines)
{
    lines.clear();
    DetectedTextFile file;
    if (!file.open(path, charset, converter))
        return false;
    lines.reserve(file.lineCount());
    std::wstring line;
    while (file.nextLine(line))
        lines.push_back(std::move(line));
    return true;
}

} // namespace Plugin
