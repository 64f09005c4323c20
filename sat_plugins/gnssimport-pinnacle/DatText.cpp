#include "DatText.h"

#include "CommonHelpers/Utils.h"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>

namespace DatText {

std::wstring trimmed(const std::wstring& s)
{
    return boost::algorithm::trim_copy(s);
}

std::wstring rightTrimmed(const std::wstring& s)
{
    return boost::algorithm::trim_right_copy(s);
}

std::vector<std::wstring> splitFields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    boost::algorithm::split(fields, line, boost::algorithm::is_any_of(L"*"));
    return fields;
}

std::vector<std::wstring> splitBlanks(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    boost::algorithm::split(fields, trimmed(line), boost::algorithm::is_space(),
                            boost::algorithm::token_compress_on);
    return fields;
}

std::wstring field(const std::vector<std::wstring>& fields, std::size_t i)
{
    return trimmed(fields.at(i));
}

double number(const std::vector<std::wstring>& fields, std::size_t i)
{
    return Plugin::Utils::stringToDouble(field(fields, i));
}

} // namespace DatText
