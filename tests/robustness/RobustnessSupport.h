// What the robustness suites share: the five plug-ins with a valid example
// each, and event streams cut per file.
#pragma once

#include "TestSupport.h"

#include <string>
#include <vector>

namespace robust {

struct PluginCase {
    const char* plugin;
    const char* example;  // below the source tree; imports without an error
    const char* fileName; // a name this plug-in reads as its format
};

const std::vector<PluginCase>& pluginCases();
std::string caseName(const PluginCase& c);

// A file of the plug-in's format holding one point named name.
std::string fileWithPointNamed(const PluginCase& c, const std::string& name);

// Every example file of the plug-in's format (examples/<plugin>/, READMEs left out).
std::vector<std::wstring> examplesOf(const std::string& plugin);

// Readable events of each file, cut at SetCurrentFile (that event left out,
// so the same file under another path compares equal).
std::vector<std::vector<std::wstring>> eventsPerFile(const host::RecordingTarget& target);

// Events of importing paths with a fresh plug-in object of a loaded library.
host::RecordingTarget importWithObject(const host::LoadedPlugin& library, const std::vector<std::wstring>& paths,
                                       const test::ImportRun& run = test::ImportRun());

} // namespace robust
