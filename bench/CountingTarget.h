// A lean import target for the benchmarks: counts what arrives and folds the
// whole event stream into one hash, so that an import can be timed without
// measuring a host that stores everything, and two builds can be compared
// event for event on large inputs.
#pragma once

#include <gnssimport/host/CharsetConversion.h>
#include <gnssimport/ImportTarget.h>

#include <cstdint>
#include <string>

namespace bench {

struct ImportCounts {
    long points = 0;
    long vectors = 0;
    long values = 0;
    long lines = 0;
    long progress = 0;
    long warnings = 0;
    long errors = 0;
    long conversions = 0;
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a offset basis; stays so when not hashing
};

class CountingTarget : public Plugin::ISatImportTarget3 {
public:
    // Hashing costs about as much as a lean host's bookkeeping: off for timing.
    explicit CountingTarget(bool hashEvents) : m_hashEvents(hashEvents) {}

    Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override;
    void SetCurrentFile(const wchar_t* path) override;
    void SetCurrentLine(int line) override;
    void Reserved4() override {}
    void ReportWarning(const wchar_t* message) override;
    void ReportError(const wchar_t* message) override;
    void SetProgress(float percent) override;
    void* QueryInterface(Plugin::SatImportTargetInterface id) override;
    void Reserved9() override {}
    void Reserved10() override {}
    void SetValue(Plugin::SatEvents event, double value) override;
    void SetText(Plugin::SatEvents event, const wchar_t* text) override;
    void Reserved13() override {}
    void SetElevation(double value) override;
    void SetEllipsoidalHeight(double value) override;
    int ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data) override;

    const ImportCounts& counts() const { return m_counts; }

private:
    void mix(const void* data, std::size_t size);
    void mixEvent(char kind, int id);
    void mixText(const wchar_t* text);

    bool m_hashEvents;
    ImportCounts m_counts;
    host::CharsetConverter m_charsets;
    std::wstring m_charsetWide; // the charset of the last ConvertBytes, to spare re-narrowing it
    std::string m_charset;
    std::wstring m_text;
};

} // namespace bench
