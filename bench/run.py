#!/usr/bin/env python3
"""Runs the benchmarks and the reference tools and prints one table.

For every generated input: the import's CPU time (best of the repetitions of
the Google Benchmark import_bench), MB/s, records/s, its peak memory (from a
separate one-shot import in a fresh process), a hash of its whole event
stream, and on the same file the CPU time of wc -l, of mawk splitting the
fields and counting the records, and of Python's csv module doing the same.
Then, per input, the gnssimport tool writing each output format to a file:
its peak memory, the time the writing adds to the plug-in's one-shot import,
and the rate it writes its output at beside the rate that import reads. Then the
detector beside uchardet and wc -l, stringToDouble, and the goals.
Times are CPU seconds (user + system), the best of --repeat runs, so that
other load on the machine disturbs them as little as possible.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

# Per format: mawk field separator and program counting the records, and the
# csv delimiter and row test of the Python reference.
REFERENCES = {
    "topcon": (",", '$1=="VPP"{n++} END{print n+0}', ",", 'row and row[0] == "VPP"'),
    "tgotbc": (":", '$1 ~ /^Vector=/{n++} END{print n+0}', ":", 'row and row[0].startswith("Vector=")'),
    "lgo": (",", 'NR>1 && NF>=9{n++} END{print n+0}', ",", "i and len(row) >= 9"),
    "pinnacle": ("*", 'NF>=8{n++} END{print n+0}', "*", "len(row) >= 8"),
    "spectrum": (" ", '$1=="dX:"{n++} END{print n+0}', " ", 'row and row[0] == "dX:"'),
}
PY_CODECS = {"CP1251": "cp1251", "KOI8-R": "koi8_r", "CP866": "cp866"}
CSV_SCRIPT = """
import csv, sys
n = 0
with open(sys.argv[1], newline="", encoding=sys.argv[2]) as f:
    for i, row in enumerate(csv.reader(f, delimiter=sys.argv[3], skipinitialspace=sys.argv[3] == " ")):
        if {test}:
            n += 1
print(n)
"""
LINE_ORIENTED = ("topcon", "tgotbc", "lgo", "pinnacle")


def timed(command, stdin=None):
    """CPU seconds of one run of command, and its standard output."""
    with open(stdin, "rb") if stdin else open(os.devnull, "rb") as source:
        process = subprocess.Popen(command, stdin=source, stdout=subprocess.PIPE)
        output = process.stdout.read()
        _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit("failed: %s" % " ".join(command))
    return usage.ru_utime + usage.ru_stime, output.decode().strip()


def best(command, repeat, stdin=None):
    runs = [timed(command, stdin) for _ in range(repeat)]
    return min(t for t, _ in runs), runs[0][1]


def google_benchmark(binary, repeat, extra=()):
    """Best CPU time in seconds per benchmark name."""
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([binary, "--benchmark_repetitions=%d" % repeat, "--benchmark_out=" + out.name,
                        "--benchmark_out_format=json", *extra], check=True, stdout=subprocess.DEVNULL)
        report = json.load(open(out.name))
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    times = {}
    for run in report["benchmarks"]:
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        seconds = run["cpu_time"] * scale[run["time_unit"]]
        name = run["run_name"]
        times[name] = min(times.get(name, seconds), seconds)
    return times


def read_inputs(directory, formats, sizes):
    rows = []
    with open(os.path.join(directory, "inputs.tsv"), encoding="utf-8") as f:
        for line in f:
            fmt, size, name, plugin, charset, codepage, nbytes, records = line.rstrip("\n").split("\t")[:8]
            if fmt in formats and int(size) in sizes:
                rows.append(dict(format=fmt, size=int(size), path=os.path.join(directory, name), plugin=plugin,
                                 charset=charset, codepage=codepage, bytes=int(nbytes), records=int(records)))
    return rows


def import_once(build, row, repeat):
    """The one-shot import's report, with its best CPU seconds as "seconds"."""
    command = [os.path.join(build, "bench", "gnssimport_import_once"), row["plugin"], row["charset"], row["path"]]
    seconds, out = best(command, repeat)
    report = dict(item.split("=") for item in out.split())
    report["seconds"] = seconds
    return report


TOOL_FORMATS = ("text", "json", "geojson", "csv", "dynaml", "gama")


def tool_run(build, row, fmt, repeat, out_dir):
    """Best CPU seconds, peak resident MB and MB written of gnssimport -f fmt -o out, or None when it exits
    with 2."""
    command = [os.path.join(build, "bin", "gnssimport"), "--no-progress", "--plugin-dir",
               os.path.join(build, "plugins"), "-p", row["plugin"], "-f", fmt, "-o", os.path.join(out_dir, "out")]
    if row["charset"]:
        command += ["--charset", row["charset"]]
    best_t, peak, written = None, 0, 0
    for _ in range(repeat):
        for name in os.listdir(out_dir):
            os.remove(os.path.join(out_dir, name))
        process = subprocess.Popen(command + [row["path"]], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(process.pid, 0)
        # 1: an export without coordinates to start from (Pinnacle's vector.dat alone).
        if os.waitstatus_to_exitcode(status) not in (0, 1):
            return None
        t = usage.ru_utime + usage.ru_stime
        best_t = t if best_t is None else min(best_t, t)
        peak = max(peak, usage.ru_maxrss / 1024)
        written = sum(os.path.getsize(os.path.join(out_dir, name)) for name in os.listdir(out_dir)) / 2 ** 20
    return best_t, peak, written


def tool_table(build, rows, repeat, results, goals):
    """The tool per input and output format. The import it is measured against is the plug-in's alone, once
    in a fresh process (gnssimport_import_once), as the tool runs it; writing is the tool's run minus that, so
    it also carries what the tool's recording and spooling add to the import."""
    header = ("input", "format", "run s", "import s", "write s", "write/imp", "out MB", "write MB/s", "read MB/s",
              "peak MB", "peak/size")
    table = []
    with tempfile.TemporaryDirectory() as out_dir:
        for r in rows:
            t = results[(r["format"], r["size"])]["once"]
            mb = r["bytes"] / 2 ** 20
            for fmt in TOOL_FORMATS:
                print("gnssimport -f %s on %s ..." % (fmt, os.path.basename(r["path"])), file=sys.stderr)
                run = tool_run(build, r, fmt, min(repeat, 3), out_dir)
                if not run:
                    table.append(("%s %dM" % (r["format"], r["size"]), fmt) + ("-",) * 9)
                    continue
                seconds, peak, written = run
                write = max(seconds - t, 1e-3) if t else None
                table.append(("%s %dM" % (r["format"], r["size"]), fmt, "%.3f" % seconds, "%.3f" % t,
                              "%.3f" % write if write is not None else "-",
                              "%.2f" % (write / t) if t else "-", "%.1f" % written,
                              "%.0f" % (written / write) if write and written else "-",
                              "%.0f" % (mb / t) if t else "-", "%.1f" % peak, "%.2f" % (peak / mb)))
                if r["size"] >= 10:
                    goals.append(("%s %d MB -f %s peak within 3x the file" % (r["format"], r["size"], fmt),
                                  peak / mb, 3, True))
                    # Written at least as fast as the import reads: no longer than the import would take to
                    # read as many bytes; an output smaller than the input gets the import's own time. An
                    # export with nothing to write (no coordinates to start from) is not measured.
                    if t and written:
                        goals.append(("%s %d MB -f %s written as fast as the import reads"
                                      % (r["format"], r["size"], fmt), write / (t * max(1.0, written / mb)), 1, True))
    print("\ngnssimport -f FORMAT -o FILE (CPU s; write = run minus the plug-in's one-shot import; MB/s written "
          "against MB/s the import reads)")
    widths = [max(len(str(x)) for x in column) for column in zip(header, *table)]
    for line in [header] + table:
        print("  ".join(str(x).rjust(w) if i > 1 else str(x).ljust(w) for i, (x, w) in enumerate(zip(line, widths))))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True)
    parser.add_argument("--inputs")
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--formats", default=",".join(REFERENCES))
    parser.add_argument("--sizes", default="1,10,100")
    parser.add_argument("--hashes", help="write the event hash of every input to this file")
    parser.add_argument("--plugins", help="folder of the plug-in libraries to time (default: the build's)")
    parser.add_argument("--micro", help="folder of the detector_bench and number_bench to run (default: the build's)")
    args = parser.parse_args()
    inputs_dir = args.inputs or os.path.join(args.build, "bench-inputs")
    os.environ["GNSSIMPORT_BENCH_INPUTS"] = inputs_dir
    if args.plugins:
        os.environ["GNSSIMPORT_BENCH_PLUGINS"] = os.path.abspath(args.plugins)
    rows = read_inputs(inputs_dir, args.formats.split(","), [int(s) for s in args.sizes.split(",")])
    bench = os.path.join(args.build, "bench")

    names = "|".join("^BM_Import/%s/%dMB$" % (r["format"], r["size"]) for r in rows)
    print("timing the imports ...", file=sys.stderr)
    imports = google_benchmark(os.path.join(bench, "import_bench"), args.repeat, ["--benchmark_filter=" + names])

    header = ("input", "MB", "records", "import s", "MB/s", "krec/s", "peak MB", "peak/size", "wc -l s", "awk s",
              "imp/awk", "csv s", "csv/imp", "events")
    table = []
    results = {}
    for r in rows:
        print("references for %s ..." % os.path.basename(r["path"]), file=sys.stderr)
        t = imports.get("BM_Import/%s/%dMB" % (r["format"], r["size"]))
        once = import_once(args.build, r, args.repeat)
        fs, program, delimiter, test = REFERENCES[r["format"]]
        wc, _ = best(["wc", "-l"], args.repeat, r["path"])
        awk, awk_count = best(["mawk", "-F" + fs, program, r["path"]], args.repeat)
        script = CSV_SCRIPT.format(test=test)
        csv_t, _ = best([sys.executable, "-c", script, r["path"], PY_CODECS[r["codepage"]], delimiter], args.repeat)
        mb = r["bytes"] / 2 ** 20
        peak = int(once["peak_kb"]) / 1024
        results[(r["format"], r["size"])] = dict(t=t, awk=awk, csv=csv_t, peak=peak / mb, wc=wc,
                                                  once=once["seconds"])
        table.append(("%s %dM" % (r["format"], r["size"]), "%.1f" % mb, awk_count,
                      "%.3f" % t if t else "-", "%.0f" % (mb / t) if t else "-",
                      "%.0f" % (r["records"] / t / 1000) if t else "-", "%.1f" % peak, "%.2f" % (peak / mb),
                      "%.3f" % wc, "%.3f" % awk, "%.2f" % (t / awk) if t else "-", "%.3f" % csv_t,
                      "%.1f" % (csv_t / t) if t else "-", once["hash"][:8]))
        if args.hashes:
            with open(args.hashes, "a") as f:
                f.write("%s %s %s\n" % (os.path.basename(r["path"]), once["hash"], " ".join(
                    "%s=%s" % (k, once[k]) for k in ("points", "vectors", "values", "errors", "conversions"))))

    widths = [max(len(str(x)) for x in column) for column in zip(header, *table)]
    for line in [header] + table:
        print("  ".join(str(x).rjust(w) if i else str(x).ljust(w) for i, (x, w) in enumerate(zip(line, widths))))

    goals = []
    if os.path.exists(os.path.join(args.build, "bin", "gnssimport")):
        tool_table(args.build, rows, args.repeat, results, goals)

    print("\ntiming the detector and stringToDouble ...", file=sys.stderr)
    micro = args.micro or bench
    detector = google_benchmark(os.path.join(micro, "detector_bench"), args.repeat)
    numbers = google_benchmark(os.path.join(micro, "number_bench"), args.repeat)
    print("\nDetector on 10 MB of Russian text (CPU s)")
    for cp, name, suffix in (("CP1251", "CP1251", "cp1251"), ("KOI8-R", "KOI8R", "koi8_r"),
                             ("CP866", "CP866", "cp866")):
        path = os.path.join(inputs_dir, "russian-10M-%s.txt" % suffix)
        wc, _ = best(["wc", "-l"], args.repeat, path)
        d = detector.get("BM_Detect_" + name)
        u = detector.get("BM_Uchardet_" + name)
        line = "  %-7s detector %.4f   wc -l %.4f  (x%.1f)" % (cp, d, wc, d / wc)
        if u:
            line += "   uchardet %.4f  (detector x%.1f faster)" % (u, u / d)
            goals.append(("detector %s at least 10x faster than uchardet" % cp, u / d, 10, False))
        goals.append(("detector %s within 10x wc -l" % cp, d / wc, 10, True))
        plain = detector.get("BM_Unmended_" + name)
        if plain:
            line += "   group alone %.4f (x%.2f)" % (plain, d / plain)
            goals.append(("detector %s within 1.1x the group alone" % cp, d / plain, 1.1, True))
        capitals = detector.get("BM_Detect_Capitals_" + name)
        if capitals:
            line += "   in capitals %.4f" % capitals
        print(line)
    print("\nstringToDouble, ns per number: %.1f   (wcstod %.1f, from_chars %.1f)" % tuple(
        numbers[n] / 12 * 1e9 for n in ("BM_StringToDouble", "BM_Wcstod", "BM_FromChars")))

    for fmt in REFERENCES:
        big = results.get((fmt, 100))
        if big and big["t"]:
            limit = 2 if fmt in LINE_ORIENTED else 10
            goals.append(("%s 100 MB within %dx awk" % (fmt, limit), big["t"] / big["awk"], limit, True))
            if fmt in LINE_ORIENTED:
                goals.append(("%s 100 MB at least 3x faster than Python csv" % fmt, big["csv"] / big["t"], 3, False))
            small = results.get((fmt, 10))
            if small and small["t"]:
                goals.append(("%s 100 MB within 11x the time of 10 MB" % fmt, big["t"] / small["t"], 11, True))
        for size in (10, 100):
            if (fmt, size) in results:
                goals.append(("%s %d MB peak memory within 6x the file" % (fmt, size),
                              results[(fmt, size)]["peak"], 6, True))
    print("\nGoals")
    for text, value, goal, low in goals:
        ok = value <= goal if low else value >= goal
        print("  %-4s %-52s %6.2f" % ("ok" if ok else "MISS", text, value))


if __name__ == "__main__":
    main()
