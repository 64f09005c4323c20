// Detection speed on about 10 MB of Russian text in each code page, beside
// the group of probers alone (detection before one-case text was read again)
// and on the same kind of text in capitals; on the worst case for the
// filter: plain ASCII, which filters to nothing; and
// uchardet, the same family of detector, on the same texts when it is there.
// The texts are the files make_inputs.py writes, so that scripts/bench.sh can
// time wc -l on them too; without them the same kind of text is generated.
#include "BenchInputs.h"
#include "EncodingDetector/SBCSGroupProber.h"
#include "EncodingDetector/TextEncodingDetector.h"

#include <benchmark/benchmark.h>

#include <iconv.h>
#ifdef GNSSIMPORT_HAVE_UCHARDET
#include <uchardet.h>
#endif

#include <fstream>
#include <iterator>
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

// The UTF-8 text with its Russian letters in capitals.
std::string capitalsUtf8(const std::string& utf8)
{
    std::string out = utf8;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        auto lead = static_cast<unsigned char>(out[i]);
        auto next = static_cast<unsigned char>(out[i + 1]);
        if (lead == 0xD0 && next >= 0xB0 && next <= 0xBF) { // а-п
            out[i + 1] = static_cast<char>(next - 0x20);
        } else if (lead == 0xD1 && next >= 0x80 && next <= 0x8F) { // р-я
            out[i] = static_cast<char>(0xD0);
            out[i + 1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD1 && next == 0x91) { // ё
            out[i] = static_cast<char>(0xD0);
            out[i + 1] = static_cast<char>(0x81);
        }
    }
    return out;
}

// About `bytes` bytes of sentences from random words, one code page byte per
// letter; all in capitals when asked.
std::string russianText(std::size_t bytes, const char* charset, bool capitals = false)
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
    return toCodePage(capitals ? capitalsUtf8(utf8) : utf8, charset);
}

const std::size_t kTenMegabytes = 10u << 20;

// The generated file of that code page, or a text made here.
std::string russianInput(const char* fileSuffix, const char* charset)
{
    std::ifstream in(bench::inputsDir() + "/russian-10M-" + fileSuffix + ".txt", std::ios::binary);
    if (in)
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return russianText(kTenMegabytes, charset);
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

// Today's detection without the second reading of one-case text: the group
// of probers alone, to compare with on mixed-case text.
void unmended(benchmark::State& state, const std::string& text, Type expected)
{
    for (auto _ : state) {
        TextEncodingDetector::CSBCSGroupProber group;
        group.HandleData(text);
        const Type found = group.GetEncoding();
        if (found != expected)
            state.SkipWithError("wrong code page");
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Unmended_CP1251(benchmark::State& state)
{
    static const std::string text = russianInput("cp1251", "CP1251");
    unmended(state, text, TextEncodingDetector::Encoding::win1251);
}

void BM_Unmended_KOI8R(benchmark::State& state)
{
    static const std::string text = russianInput("koi8_r", "KOI8-R");
    unmended(state, text, TextEncodingDetector::Encoding::koi8r);
}

void BM_Unmended_CP866(benchmark::State& state)
{
    static const std::string text = russianInput("cp866", "CP866");
    unmended(state, text, TextEncodingDetector::Encoding::cp866);
}

// 10 MB in capitals: the text is read twice, the second time folded.
void BM_Detect_Capitals_CP1251(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "CP1251", true);
    detect(state, text, TextEncodingDetector::Encoding::win1251);
}

void BM_Detect_Capitals_KOI8R(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "KOI8-R", true);
    detect(state, text, TextEncodingDetector::Encoding::koi8r);
}

void BM_Detect_Capitals_CP866(benchmark::State& state)
{
    static const std::string text = russianText(kTenMegabytes, "CP866", true);
    detect(state, text, TextEncodingDetector::Encoding::cp866);
}

void BM_Detect_CP1251(benchmark::State& state)
{
    static const std::string text = russianInput("cp1251", "CP1251");
    detect(state, text, TextEncodingDetector::Encoding::win1251);
}

void BM_Detect_KOI8R(benchmark::State& state)
{
    static const std::string text = russianInput("koi8_r", "KOI8-R");
    detect(state, text, TextEncodingDetector::Encoding::koi8r);
}

void BM_Detect_CP866(benchmark::State& state)
{
    static const std::string text = russianInput("cp866", "CP866");
    detect(state, text, TextEncodingDetector::Encoding::cp866);
}

void BM_Detect_Ascii(benchmark::State& state)
{
    static const std::string text(kTenMegabytes, 'a');
    detect(state, text, TextEncodingDetector::Encoding::win1251);
}

#ifdef GNSSIMPORT_HAVE_UCHARDET
void uchardetDetect(benchmark::State& state, const std::string& text, const char* expected)
{
    for (auto _ : state) {
        uchardet_t detector = uchardet_new();
        uchardet_handle_data(detector, text.data(), text.size());
        uchardet_data_end(detector);
        if (std::string(uchardet_get_charset(detector)) != expected)
            state.SkipWithError("uchardet: wrong code page");
        uchardet_delete(detector);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_Uchardet_CP1251(benchmark::State& state)
{
    static const std::string text = russianInput("cp1251", "CP1251");
    uchardetDetect(state, text, "WINDOWS-1251");
}

void BM_Uchardet_KOI8R(benchmark::State& state)
{
    static const std::string text = russianInput("koi8_r", "KOI8-R");
    uchardetDetect(state, text, "KOI8-R");
}

void BM_Uchardet_CP866(benchmark::State& state)
{
    static const std::string text = russianInput("cp866", "CP866");
    uchardetDetect(state, text, "IBM866");
}

BENCHMARK(BM_Uchardet_CP1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Uchardet_KOI8R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Uchardet_CP866)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_Detect_CP1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_KOI8R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_CP866)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Ascii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unmended_CP1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unmended_KOI8R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unmended_CP866)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Capitals_CP1251)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Capitals_KOI8R)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Detect_Capitals_CP866)->Unit(benchmark::kMillisecond);

} // namespace
