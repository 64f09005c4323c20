#include "Patterns.h"

namespace Spectrum {
namespace Patterns {

const std::wstring s_vectorSummary = LR"re((?:VECTOR SUMMARY|ОТЧЕТ ПО ВЕКТОРУ|ВЕКТОР \(отчет о вычислении\)))re";
const std::wstring s_baseStation = LR"re((?:BASE STATION|БАЗОВАЯ СТАНЦИЯ|БАЗОВАЯ ТОЧКА))re";
const std::wstring s_remoteStation = LR"re((?:REMOTE STATION|УДАЛЕННАЯ СТАНЦИЯ))re";
const std::wstring s_vectorResults = LR"re((?:VECTOR RESULTS|РЕЗУЛЬТАТЫ ПО ВЕКТОРУ))re";
const std::wstring s_covarianceMatrix = LR"re((?:COVARIANCE MATRIX|КОВАРИАЦИОННАЯ МАТРИЦА))re";

const std::wstring s_blockEnd = LR"re(.*?(?:Spectrum® Survey|$))re";
const std::wstring s_stationName = LR"re( \((.+?)\))re";
const std::wstring s_bracketField = LR"re(\[(.+?)\])re";
const std::wstring s_firstCoordinate = LR"re((?:Y:\s+|&Y:\s+|Y\s+|X:\s+|&X:\s+|X\s+)(.+?)\s+.+?\n)re";
const std::wstring s_secondCoordinate = LR"re(^(?:Y:\s+|&Y:\s+|Y\s+|X:\s+|&X:\s+|X\s+)(.+?)\s+.+?\n)re";
const std::wstring s_thirdCoordinate = LR"re(^(?:Z:\s+|&Z:\s+|Z\s+)(.+?)\s+.+?\n)re";
const std::wstring s_height = LR"re(^Z:\s+.+?\s+Hgt:\s+(.+?)\s+.+?\n)re";
const std::wstring s_deltaX = LR"re(dX:\s*(.+?)\s+.+?\n)re";
const std::wstring s_deltaY = LR"re(^dY:\s*(.+?)\s+.+?\n)re";
const std::wstring s_deltaZ = LR"re(^dZ:\s*(.+?)\s+.+?\n)re";
const std::wstring s_varianceX = LR"re(^dX\s+(.+?)\n)re";
const std::wstring s_varianceY = LR"re(^dY\s+.+?\s+(.+?)\n)re";
const std::wstring s_varianceZ = LR"re(^dZ\s+.+?\s+.+?\s+(.+?)\n)re";
const std::wstring s_covarianceRowY = LR"re(^dY\s+(.+?)\s+(.+?)\n)re";
const std::wstring s_covarianceRowZ = LR"re(^dZ\s+(.+?)\s+(.+?)\s+(.+?)\n)re";

const std::wstring s_heightLine = L"Z:";
const std::wstring s_heightLabel = L"Hgt:";
const std::wstring s_heightValue = s_height.substr(s_height.find(s_heightLabel));

} // namespace Patterns
} // namespace Spectrum
