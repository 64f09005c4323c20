#include "ParserMessages.h"

#include "Exceptions/Exceptions.h"

namespace str {

const std::wstring IDS_INVALID_STR_FORMAT = L"Некорректный формат строки";
const std::wstring IDS_NO_TOKEN_SEPARATOR = L"Не задан разделитель для значений в секции [General]";
const std::wstring IDS_EMPTY_POINT_NAME = L"Пустое имя пункта. Генерируем имя %ls.";

} // namespace str

CParseException CParseException::InvalidStrFormat()
{
    return CParseException(str::IDS_INVALID_STR_FORMAT);
}

CParseException CParseException::NoTokenSeparator()
{
    return CParseException(str::IDS_NO_TOKEN_SEPARATOR);
}
