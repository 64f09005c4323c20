#include "DetectedTextFile.h"

#include "../CommonHelpers/FileBytes.h"
#include "../CommonHelpers/Utils.h"
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

bool loadDetectedLines(const std::wstring& path, const CharsetSettings& charset,
                       TargetCharConverter<ISatImportTarget3>& converter, std::vector<std::wstring>& lines)
{
    lines.clear();
    FileBytes file;
    if (!readFileBytes(toPath(path), file))
        return false;
    if (charset.m_charset.empty()) {
        converter.setCharset(file.utf8Bom ? L"UTF-8"
                                          : charsetName(TextEncodingDetector::DetectTextEncoding(file.bytes)));
    }
    lines = splitLines(file.bytes, converter);
    return true;
}

} // namespace Plugin
