// One import in a fresh process, for what a benchmark loop cannot show:
//   gnssimport_import_once PLUGIN CHARSET FILE [--no-hash]
// prints the counts, the hash of the whole event stream, the CPU time and the
// import's peak memory: the peak resident size during the import less the
// resident size before it. --no-hash leaves the stream unhashed, for
// profiling the import alone.
#include "BenchInputs.h"

#include <sys/resource.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <string>

namespace {

double cpuSeconds(const rusage& usage)
{
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// A field of /proc/self/status in kB, -1 when it cannot be read.
long statusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::stol(line.substr(length + 1));
    }
    return -1;
}

// Starts the peak resident size afresh (Linux 4.0 and later); false when the
// kernel does not allow it. ru_maxrss would not do: it keeps the peak of the
// process that started this one.
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return clear.good();
}

} // namespace

int main(int argc, char** argv)
{
    const bool hash = !(argc == 5 && std::strcmp(argv[4], "--no-hash") == 0);
    if (argc != 4 && hash) {
        std::fprintf(stderr, "usage: %s PLUGIN CHARSET FILE [--no-hash]\n", argv[0]);
        return 2;
    }
    try {
        bench::Importer importer(argv[1], argv[2]);
        const bool peakReset = resetPeak();
        const long rssBefore = statusKb("VmRSS");
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const bench::ImportCounts c = importer.importFile(argv[3], hash);
        getrusage(RUSAGE_SELF, &after);
        const long peak = peakReset && rssBefore >= 0 ? statusKb("VmHWM") - rssBefore : -1;
        std::printf("points=%ld vectors=%ld values=%ld lines=%ld progress=%ld warnings=%ld errors=%ld "
                    "conversions=%ld hash=%016" PRIx64 " cpu=%.3f peak_kb=%ld rss_kb=%ld\n",
                    c.points, c.vectors, c.values, c.lines, c.progress, c.warnings, c.errors, c.conversions, c.hash,
                    cpuSeconds(after) - cpuSeconds(before), peak, rssBefore);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
