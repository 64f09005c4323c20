#include "ParserMessages.h"

#include "Exceptions/Exceptions.h"

namespace str {

const std::wstring IDS_VECTOR_ORIGIN_NOT_SET = L"Не задано начало вектора";
const std::wstring IDS_VECTOR_TARGET_NOT_SET = L"Не задан конец вектора";

} // namespace str

CParseException CParseException::VectorOriginNotSet()
{
    return CParseException(str::IDS_VECTOR_ORIGIN_NOT_SET);
}

CParseException CParseException::VectorTargetNotSet()
{
    return CParseException(str::IDS_VECTOR_TARGET_NOT_SET);
}
