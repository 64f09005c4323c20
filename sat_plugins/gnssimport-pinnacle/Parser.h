// The layout station.dat and vector.dat share: an optional synonym block for
// long station names, the ":::" start marker, skipped lines before the data,
// and "*"-separated records that the derived parser reads.
#pragma once

#include "IFileParser.h"
#include "SDK/ImportTarget.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

class CDatFileParser : public IFileParser {
public:
    void ParseLines(const std::vector<std::wstring>& lines) override;
    bool SomethingParsed() const override { return m_somethingParsed; }

protected:
    // headerLines: lines between the ":::" marker and the first record.
    CDatFileParser(Plugin::ISatImportTarget* target, std::size_t headerLines);

    // Called once per file where the data starts, also when there is none.
    virtual void BeginData() {}
    virtual void ParseRecord(const std::wstring& line) = 0;

    // A trimmed name field, replaced by its long name when it is a synonym.
    std::wstring StationName(const std::vector<std::wstring>& fields, std::size_t i) const;

    Plugin::ISatImportTarget* m_pImportTarget;
    bool m_somethingParsed = false;
    std::map<std::wstring, std::wstring> m_synonyms;

private:
    void ParseContent(const std::vector<std::wstring>& lines);
    // Reads the synonym block from line 1; returns the index of its
    // "End of List" line, or the line count when the block is not closed.
    std::size_t ParseSynonyms(const std::vector<std::wstring>& lines);

    std::size_t m_headerLines;
};
