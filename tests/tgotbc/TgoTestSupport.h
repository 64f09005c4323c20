// Helpers for the TGO/TBC tests: one-call imports of text and the pieces
// of a file most tests start from.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tgo {

// A "[General]" section whose separator is a comma.
const std::string kCommaGeneral = "[General]\nSeparator=,\n";

// Imports text as one .asc file through the plug-in.
inline host::RecordingTarget importText(const std::string& text, const test::ImportRun& run = test::ImportRun())
{
    test::TempDir dir;
    return test::importWith("tgotbc", {dir.write("export.asc", text)}, run);
}

// A copy of the single file of an import (fails the test when there is
// not exactly one).
inline host::ImportedFile onlyFile(const host::RecordingTarget& target)
{
    EXPECT_EQ(target.files().size(), 1u);
    return target.files().empty() ? host::ImportedFile() : target.files().front();
}

// A comma-separated "Vector" line of 18 fields: dX 1.5, dY 2.5, dZ 3.5,
// variances 0.0001, 0.0004, 0.0004 and RMS 0.05.
inline std::string vectorLine(const std::string& origin, const std::string& target)
{
    return "Vector=1,," + origin + "," + target + ",1.5,2.5,3.5,0.0001,0,0,0.0004,0,0.0004,0,0,0,0,0.05\n";
}

// A comma-separated "Station" line of 9 fields with both heights.
inline std::string stationLine(const std::string& name, const std::string& h = "150.25",
                               const std::string& elev = "130.5")
{
    return "Station=2,," + name + ",55.5N,37.5E," + h + ",x,y," + elev + "\n";
}

inline double radians(double degrees) { return degrees * 3.14159265358979323846 / 180.0; }

// "text@line" for each message of one severity, to compare in one go.
inline std::vector<std::wstring> messages(const host::ImportedFile& file,
                                          host::ImportMessage::Severity severity = host::ImportMessage::Error)
{
    std::vector<std::wstring> out;
    for (const auto& m : file.messages) {
        if (m.severity == severity)
            out.push_back(m.text + L"@" + std::to_wstring(m.line));
    }
    return out;
}

inline std::vector<std::wstring> pointNames(const host::ImportedFile& file)
{
    std::vector<std::wstring> out;
    for (const auto& p : file.points)
        out.push_back(p.name);
    return out;
}

// The events sent while line was current, progress left out; angle values
// are left out too ("SetValue(Latitude,…)") since the host computes them.
inline std::vector<std::wstring> lineEvents(const host::RecordingTarget& target, int line)
{
    std::vector<std::wstring> out;
    bool inLine = false;
    for (const auto& e : target.events()) {
        if (e.kind == host::TargetEvent::SetCurrentLine) {
            inLine = e.line == line;
        } else if (inLine && e.kind != host::TargetEvent::SetProgress) {
            const bool angle = e.kind == host::TargetEvent::SetValue &&
                               (e.id == Plugin::Latitude || e.id == Plugin::Longitude);
            out.push_back(angle ? std::wstring(L"SetValue(") + host::eventName(e.id) + L",…)" : host::describe(e));
        }
    }
    return out;
}

const std::wstring kBadLine = L"Некорректный формат строки";
const std::wstring kNoSeparator = L"Не задан разделитель для значений в секции [General]";
const std::wstring kUnknownFormat = L"Неизвестный формат файла";

} // namespace tgo
