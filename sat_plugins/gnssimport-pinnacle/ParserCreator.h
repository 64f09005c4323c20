// Chooses the parser of a Pinnacle file by the end of its name.
#pragma once

#include "IFileParser.h"
#include <gnssimport/ImportTarget.h>

#include <memory>
#include <string>

class ParserCreator {
public:
    // A station.dat or vector.dat parser, the name compared without regard to
    // case; any other name throws the std::wstring message for the user.
    static std::unique_ptr<IFileParser> createParser(const std::wstring& path, Plugin::ISatImportTarget* target);
};
