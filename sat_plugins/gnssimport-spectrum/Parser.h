// Finds the baseline blocks of a Spectrum Survey report and sends each as two
// points and one vector to the import target.
#pragma once

#include "PatternSearch.h"
#include "PluginHelpers/RefCounted.h"
#include <gnssimport/ImportTarget.h>

#include <boost/intrusive_ptr.hpp>

#include <initializer_list>
#include <locale>
#include <memory>
#include <string>
#include <unordered_map>

class CParser {
public:
    explicit CParser(Plugin::ISatImportTarget* target);
    CParser(const CParser&) = delete;
    CParser& operator=(const CParser&) = delete;

    // Parses every block of text in file order; a text without any block
    // raises CInvalidFileFormatException.
    void ParseLines(const std::wstring& text);
    void ParseBlock(const std::wstring& block);

    // Searches pattern in cursor: value gets group 1 and cursor the text after
    // the match. SearchToken throws CInvalidFileFormatException when nothing is
    // found; SearchToken2 then leaves both unchanged and returns false.
    void SearchToken(const std::wstring& pattern, std::wstring& cursor, std::wstring& value);
    bool SearchToken2(const std::wstring& pattern, std::wstring& cursor, std::wstring& value);

    void ParseXYZ(std::wstring& cursor, std::wstring& x, std::wstring& y, std::wstring& z, std::wstring& height);
    void ParseDXDYDZ(std::wstring& cursor, std::wstring& dx, std::wstring& dy, std::wstring& dz);
    void ParseSqrSigmas(std::wstring& cursor, std::wstring& sx2, std::wstring& sy2, std::wstring& sz2);

    // Geodetic latitude and longitude on WGS-84, in radians, of a geocentric
    // position in metres. CalculateLatitude throws CInvalidFileFormatException
    // for a position where it does not converge (near the Earth's centre).
    static double CalculateLatitude(double x, double y, double z);
    static double CalculateLongitude(double x, double y, double z);

    const std::wstring& VectorSummary() const;
    const std::wstring& BaseStation() const;
    const std::wstring& RemoteStation() const;
    const std::wstring& VectorResults() const;
    const std::wstring& CovarianceMatrix() const;

private:
    // The part of a block not searched yet; searches never copy the text.
    struct CCursor {
        Spectrum::TextIter begin;
        Spectrum::TextIter end;
    };
    struct CStation {
        std::wstring name, x, y, z, height;
    };
    // The texts of the lower-triangle covariance block.
    struct CCovarianceText {
        std::wstring xx, xy, xz, yy, yz, zz;
    };

    const Spectrum::CCompiledPattern& Compiled(const std::wstring& pattern);
    template <class Parse>
    void OnString(std::wstring& cursor, Parse parse);

    void ParseBlock(CCursor cursor);
    void ParseStation(const std::wstring& title, CCursor& cursor, CStation& station);
    void SkipTitle(const std::wstring& title, CCursor& cursor);
    void SearchToken(const std::wstring& pattern, CCursor& cursor, std::wstring& value);
    bool SearchToken2(const std::wstring& pattern, CCursor& cursor, std::wstring& value);
    void ParseXYZ(CCursor& cursor, std::wstring& x, std::wstring& y, std::wstring& z, std::wstring& height);
    void ParseDXDYDZ(CCursor& cursor, std::wstring& dx, std::wstring& dy, std::wstring& dz);
    void ParseSqrSigmas(CCursor& cursor, std::wstring& sx2, std::wstring& sy2, std::wstring& sz2);
    void ParseCovariance(CCursor& cursor, CCovarianceText& covariance);
    // SearchToken filling values with groups 1, 2, ... in order.
    void SearchGroups(const std::wstring& pattern, CCursor& cursor, std::initializer_list<std::wstring*> values);
    void SendStation(const CStation& station, Plugin::SatEvents role, double latitude, double longitude,
                     Plugin::ISatImportTarget2* target2);

    // The height the height pattern gives when its "Hgt:" lies on the line
    // starting at zLine; false (height unchanged) otherwise.
    bool FindHeight(Spectrum::TextIter zLine, Spectrum::TextIter end, std::wstring& height);
    // First case-insensitive occurrence of word lying wholly in [from, to), or to.
    Spectrum::TextIter FindWord(Spectrum::TextIter from, Spectrum::TextIter to, const std::wstring& word) const;

    Plugin::ISatImportTarget* m_pImportTarget;
    boost::intrusive_ptr<Plugin::IAngleConverter> m_pAngleConverter;
    std::locale m_locale;
    Spectrum::CTextClasses m_classes;
    std::unordered_map<std::wstring, std::unique_ptr<Spectrum::CCompiledPattern>> m_compiled;
    std::unique_ptr<Spectrum::CCompiledPattern> m_block;
    Spectrum::CMatch m_match; // reused, so that its backtracking stack is allocated once
};
