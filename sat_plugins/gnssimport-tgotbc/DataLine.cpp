#include "DataLine.h"

#include "Exceptions/Exceptions.h"

void SplitDataLine(const std::wstring& line, SDataLine& data)
{
    const std::size_t at = line.find(L'=');
    if (at == std::wstring::npos || line.find(L'=', at + 1) != std::wstring::npos)
        throw CParseException::InvalidStrFormat();
    data.key.assign(line, 0, at);
    data.value = strutils::TextRange{line.data() + at + 1, line.data() + line.size()};
}

void SplitFields(const SDataLine& data, const std::wstring& separator, std::vector<strutils::TextRange>& fields)
{
    if (separator.empty())
        throw CParseException::NoTokenSeparator();
    strutils::splitInto(data.value.begin, data.value.end, separator, fields);
}
