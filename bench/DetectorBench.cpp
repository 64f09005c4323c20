// Detection speed on about 10 MB of Russian text in each code page, and on
// the worst case for the filter: plain ASCII, which filters to nothing.
#include "EncodingDetector/TextEncodingDetector.h"

#include <benchmark/benchmark.h>

#include <iconv.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TextEncodingDetector::Encoding::Type;

const char* const kWords[] = {
    "пункт",  "база",     "вектор",   "сеть",     "измерение", "станция",  "приёмник", "антенна",
    "высота", "широта",   "долгота",  "решение",  "обработка", "отчёт",    "проект",   "координаты",
    "точка",  "линия",    "дорога",   "берег",    "река",      "мост",     "лес",      "поле",
    "и",      "в",        "на",       "по",       "с",         "для",      "от",       "до",
    "новый",  "северный", "старый",   "длинный",  "точный",    "опорный",  "был",      "есть",
    "утром",  "вечером",  "работа",   "бригада",  "наблюдения", "спутники", "погрешность", "уравнивание",
};

std::string toCodePage(const std::string& utf8, const char* charset)
{
    iconv_t cd = iconv_open(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot write ") + charset);
    std::string out(utf8.size(), '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = &out[0];
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1))
        throw std::runtime_error("iconv failed");
    out.resize(out.size() - outLeft);
    return out;
}

// About `bytes` bytes of sentences from random words, one code page byte per letter.
std::string russianText(std::size_t bytes, const char* charset)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kWords / sizeof kWords[0] - 1);
    std::string utf8;
    std::size_t letters = 0;
    int inSentence = 0;
    while (letters < bytes) {
        std::string word = kWords[pick(random)];
        letters += word.size() / 2 + 1;
        utf8 += word;
        if (++inSentence == 12) {
            utf8 += ".\r\n";
            inSentence = 0;
        } else {
            utf8 += ' ';
        }
    }
    return toCodePage(utf8, charset);
}

void detect(benchmark::State& state, const std::string& text, Type expected)
{
    for (auto _ : state) {
        const Type found = TextEncodingDetector::DetectTextEncoding(text);
        if (found != expected)
            state.SkipWithError("wrong code page");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

const std::size_t kTenMegabytes = 10u << 20;

void BM_Detect_CP1251(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "CP1251");
    detect(state, text, TextEncodingDetector::Encoding::win1251);
}

void BM_Detect_KOI8R(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "KOI8-R");
    detect(state, text, TextEncodingDetector::Encoding::koi8r);
}

void BM_Detect_CP866(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "CP866");
    detect(state, text, TextEncodingDetector::Encoding::cp866);
}

void BM_Detect_Ascii(benchmark::State& state)
{
    static const std::string text(kTenMegabytes, 'a');
    detect(state, text, TextEncodingDetector::Encoding::win1251);
}

BENCHMARK(BM_Detect_CP1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_KOI8R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_CP866)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Ascii)->Unit(benchmark::kMillisecond);

} // namespace
