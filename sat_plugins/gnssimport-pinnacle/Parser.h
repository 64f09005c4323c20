// The layout station.dat and vector.dat share: an optional synonym block for
// long station names, the ":::" start marker, skipped lines before the data,
// and "*"-separated records that the derived parser reads.
#pragma once

#include "DatText.h"
#include "IFileParser.h"
#include "Synonyms.h"
#include <gnssimport/ImportTarget.h>

#include <cstddef>
#include <string>
#include <vector>

class CDatFileParser : public IFileParser {
public:
    void ParseLines(ILineSource& lines) override;
    bool SomethingParsed() const override { return m_somethingParsed; }

protected:
    // headerLines: lines between the ":::" marker and the first record.
    CDatFileParser(Plugin::ISatImportTarget* target, std::size_t headerLines);

    // Called once per file where the data starts, also when there is none.
    virtual void BeginData() {}
    virtual void ParseRecord(const std::wstring& line) = 0;

    // A trimmed name field, replaced by its long name when it is a synonym;
    // name holds the trimmed field.
    const wchar_t* StationName(const std::vector<strutils::TextRange>& fields, std::size_t i,
                                    std::wstring& name) const;

    Plugin::ISatImportTarget* m_pImportTarget;
    bool m_somethingParsed = false;
    CSynonyms m_synonyms;
    CDatText m_text;
    // Kept from record to record so that their storage is reused.
    std::vector<strutils::TextRange> m_fields; // pieces of the record being parsed
    std::wstring m_names[2];
    std::wstring m_line;

private:
    void ParseContent(ILineSource& lines);
    // Reads the synonym block from line 1; returns the index of its
    // "End of List" line, or the line count when the block is not closed.
    std::size_t ParseSynonyms(ILineSource& lines);

    std::size_t m_headerLines;
};
