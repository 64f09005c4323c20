// Exception classes through which parsers report format errors. They do not
// derive from std::exception: drivers catch them by type.
#pragma once

#include <string>

// Spectrum Survey: the report is not in the expected layout.
class CInvalidFileFormatException {
};

// A line or record error carrying the finished message for the user. Each
// plug-in that throws it defines the named constructors it uses, with its
// own message texts, in its own sources.
class CParseException {
public:
    explicit CParseException(const std::wstring& message) : m_message(message) {}
    std::wstring GetMessage() const { return m_message; }

    static CParseException InvalidStrFormat();   // TGO/TBC
    static CParseException NoTokenSeparator();   // TGO/TBC
    static CParseException InvalidFileFormat();  // Pinnacle
    static CParseException VectorOriginNotSet(); // Topcon
    static CParseException VectorTargetNotSet(); // Topcon

private:
    std::wstring m_message;
};

namespace Exceptions {

class CFileOpenError {
public:
    explicit CFileOpenError(const std::wstring& file) : m_file(file) {}
    std::wstring GetFile() const { return m_file; }

private:
    std::wstring m_file;
};

class CInvalidFileFormat {
};

} // namespace Exceptions
