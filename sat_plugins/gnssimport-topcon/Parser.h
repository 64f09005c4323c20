// Parses the lines of a Topcon report: "P" point records and "VPP" baseline
// records go to the import target as soon as they are read.
#pragma once

#include "PluginHelpers/RefCounted.h"
#include "SDK/ImportTarget.h"

#include <boost/intrusive_ptr.hpp>

#include <locale>
#include <string>
#include <vector>

class CTopconParser {
public:
    explicit CTopconParser(Plugin::ISatImportTarget* target);
    CTopconParser(const CTopconParser&) = delete;
    CTopconParser& operator=(const CTopconParser&) = delete;

    // Sends the records of one line. A record too short for a field it needs
    // ends silently; a vector without base or rover name throws CParseException.
    void ParseLine(const std::wstring& line);
    // True once a "P" or "VPP" record has been read.
    bool SomethingParsed() const { return m_somethingParsed; }

private:
    void ParsePoint(const std::vector<std::wstring>& fields);
    void ParseVector(const std::vector<std::wstring>& fields);
    bool ConvertAngle(const std::wstring& field, double& value);
    // field without leading and trailing white space, in out.
    const std::wstring& Trimmed(const std::wstring& field, std::wstring& out) const;

    Plugin::ISatImportTarget* m_pImportTarget;
    // White space is that of the global locale when the file's parsing starts.
    std::locale m_locale;
    const std::ctype<wchar_t>* m_ctype;
    boost::intrusive_ptr<Plugin::IAngleConverter> m_pAngleConverter;
    bool m_somethingParsed = false;
    // Kept from record to record so that their storage is reused.
    std::vector<std::wstring> m_fields;
    std::wstring m_angle;
    std::wstring m_text;
};
