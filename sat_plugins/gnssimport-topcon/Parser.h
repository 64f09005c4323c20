// Parses the lines of a Topcon report: "P" point records and "VPP" baseline
// records go to the import target as soon as they are read.
#pragma once

#include "CommonHelpers/LocaleSpace.h"
#include "CommonHelpers/strutils.h"
#include "PluginHelpers/RefCounted.h"
#include <gnssimport/ImportTarget.h>

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
    // The line is borrowed as scratch while it is parsed (names are ended in
    // place for the host) and is as it was afterwards.
    void ParseLine(std::wstring& line);
    // True once a "P" or "VPP" record has been read.
    bool SomethingParsed() const { return m_somethingParsed; }

private:
    // The fields are pieces of the line being parsed.
    void ParsePoint(const std::vector<strutils::TextRange>& fields);
    void ParseVector(const std::vector<strutils::TextRange>& fields);
    bool ConvertAngle(const strutils::TextRange& field, double& value);
    // field without leading and trailing white space.
    strutils::TextRange Trimmed(strutils::TextRange field) const;
    // Field i trimmed; empty when the record has no field i.
    strutils::TextRange Name(const std::vector<strutils::TextRange>& fields, std::size_t i) const;
    // Sends text, a piece of the line being parsed, to the host.
    void SendText(Plugin::SatEvents event, const strutils::TextRange& text);

    static const std::wstring s_separator;

    Plugin::ISatImportTarget* m_pImportTarget;
    // White space is that of the global locale when the file's parsing starts.
    std::locale m_locale;
    strutils::LocaleSpace m_isSpace;
    boost::intrusive_ptr<Plugin::IAngleConverter> m_pAngleConverter;
    bool m_somethingParsed = false;
    // Kept from record to record so that their storage is reused.
    std::vector<strutils::TextRange> m_fields;
    std::wstring m_angle;
};
