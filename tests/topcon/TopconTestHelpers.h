// Runs the Topcon plug-in on report text and describes what reached the
// target in a compact, readable form.
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace topcon {

// A target that also records the angle texts given to the host's DMS
// converter and the charsets asked of ConvertBytes, and counts the unit
// converter objects still alive.
class SpyTarget : public host::RecordingTarget {
public:
    using host::RecordingTarget::RecordingTarget;
    Plugin::IUnitConvertersFactory* GetUnitConvertersFactory() override;
    int ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data) override;

    std::vector<std::wstring> angleTexts;
    std::vector<std::wstring> charsets;
    int liveConverters = 0; // factories and converters not yet released
};

// Imports paths with the given charset setting ("" for none) into target.
void import(host::RecordingTarget& target, const std::vector<std::wstring>& paths,
            const std::wstring& charset = L"");

// Events after SetCurrentFile, numbers with six significant digits,
// progress left out unless asked for.
std::vector<std::wstring> brief(const host::RecordingTarget& target, bool withProgress = false);

// An angle in degrees, minutes and seconds as brief() prints its radians.
std::wstring angle(double degrees, double minutes, double seconds);

// Writes bytes to a file, imports it and returns brief() of the result.
std::vector<std::wstring> importBytes(const std::string& bytes, const host::RecordingTarget::Options& options = {},
                                      std::vector<std::wstring>* angleTexts = nullptr);

} // namespace topcon
