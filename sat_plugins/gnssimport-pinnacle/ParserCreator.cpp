#include "ParserCreator.h"

#include "PinnacleMessages.h"
#include "StationDatParser.h"
#include "VectorDatParser.h"

#include <boost/algorithm/string/predicate.hpp>

std::unique_ptr<IFileParser> ParserCreator::createParser(const std::wstring& path, Plugin::ISatImportTarget* target)
{
    if (boost::algorithm::iends_with(path, L"station.dat"))
        return std::make_unique<CStationDatParser>(target);
    if (boost::algorithm::iends_with(path, L"vector.dat"))
        return std::make_unique<CVectorDatParser>(target);
    throw str::IDS_INVALID_INPUT_FILE;
}
