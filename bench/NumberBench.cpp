// Cost of Plugin::Utils::stringToDouble on the numbers the exports hold,
// beside the C library's wcstod and std::from_chars on the same texts.
#include "CommonHelpers/Utils.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const std::vector<std::wstring>& wideTexts()
{
    static const std::vector<std::wstring> texts = {
        L"-1779.1178", L"258.5627",   L"0.0023",  L"3.5185499416e-05", L"152,314", L"6305463.3508",
        L"  1.353693E-06", L"-0.0000011", L"2348940,0753", L"12 m", L"?", L"PostProcessed",
    };
    return texts;
}

void BM_StringToDouble(benchmark::State& state)
{
    const auto& texts = wideTexts();
    for (auto _ : state) {
        for (const auto& text : texts)
            benchmark::DoNotOptimize(Plugin::Utils::stringToDouble(text));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}

void BM_Wcstod(benchmark::State& state)
{
    const auto& texts = wideTexts();
    for (auto _ : state) {
        for (const auto& text : texts) {
            wchar_t* end = nullptr;
            benchmark::DoNotOptimize(std::wcstod(text.c_str(), &end));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}

void BM_FromChars(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (const auto& text : wideTexts())
        texts.emplace_back(text.begin(), text.end());
    for (auto _ : state) {
        for (const auto& text : texts) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * texts.size()));
}

BENCHMARK(BM_StringToDouble);
BENCHMARK(BM_Wcstod);
BENCHMARK(BM_FromChars);

} // namespace
