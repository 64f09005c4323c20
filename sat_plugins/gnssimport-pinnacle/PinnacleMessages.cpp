#include "PinnacleMessages.h"

#include "Exceptions/Exceptions.h"

namespace str {

const std::wstring IDS_INVALID_INPUT_FILE = L"Требуется station.dat или vector.dat файл.";

} // namespace str

CParseException CParseException::InvalidFileFormat()
{
    return CParseException(str::IDS_INVALID_FILE_FORMAT);
}
