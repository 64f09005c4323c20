#include "Messages.h"

namespace str {

const std::wstring IDS_FILE_OPEN_ERROR = L"Ошибка при открытии файла";
const std::wstring IDS_INVALID_FILE_FORMAT = L"Неизвестный формат файла";

} // namespace str
