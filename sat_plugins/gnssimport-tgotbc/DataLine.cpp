#include "DataLine.h"

#include "Exceptions/Exceptions.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>

SDataLine SplitDataLine(const std::wstring& line)
{
    const std::size_t at = line.find(L'=');
    if (at == std::wstring::npos || line.find(L'=', at + 1) != std::wstring::npos)
        throw CParseException::InvalidStrFormat();
    return SDataLine{line.substr(0, at), line.substr(at + 1)};
}

std::vector<std::wstring> SplitFields(const std::wstring& value, const std::wstring& separator)
{
    if (separator.empty())
        throw CParseException::NoTokenSeparator();
    std::vector<std::wstring> fields;
    boost::algorithm::split(fields, value, boost::algorithm::is_any_of(separator));
    return fields;
}
