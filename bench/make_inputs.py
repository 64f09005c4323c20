#!/usr/bin/env python3
"""Writes large, realistic inputs for the import benchmarks.

For every format and size (MiB) one file of a survey network: a third of the
station names are Russian, and the formats between them use all three Cyrillic
code pages. Also a Russian prose text of 10 MiB per code page for the
detector. A manifest (inputs.tsv) lists what was written; files that exist
with the size asked for are kept, so a second run costs nothing.
"""
import argparse
import math
import os
import random

# Bumped when a format's files change; files of an older version are rewritten.
FORMAT_VERSIONS = {"topcon": 3, "tgotbc": 3, "lgo": 3, "pinnacle": 4, "spectrum": 3}

LATIN_PREFIXES = ["GPS", "MSK", "RS", "BM", "CP", "TR", "NW", "BASE", "PT", "GGS"]
RUSSIAN_WORDS = ["Берёзовка", "Сосновый Бор", "Красная Горка", "Рп", "Опорный", "Северный", "Заречье",
                 "Мельница", "Курган", "Южный репер", "Ручей", "Станция", "Пункт", "ГГС", "Кедровый",
                 "Речной", "Дубрава", "Липки", "Озёрный", "Вышка"]
PROSE_WORDS = ["пункт", "база", "вектор", "сеть", "измерение", "станция", "приёмник", "антенна", "высота",
               "широта", "долгота", "решение", "обработка", "отчёт", "проект", "координаты", "точка", "линия",
               "дорога", "берег", "река", "мост", "лес", "поле", "и", "в", "на", "по", "с", "для", "от", "до",
               "новый", "северный", "старый", "длинный", "точный", "опорный", "был", "есть", "утром",
               "вечером", "работа", "бригада", "наблюдения", "спутники", "погрешность", "уравнивание"]

# plug-in, code page of the file, the plug-in's "charset" setting (empty:
# the plug-in detects it), file name.
FORMATS = {
    "topcon": ("topcon", "cp1251", "", "topcon-{size}M.txt"),
    "tgotbc": ("tgotbc", "koi8_r", "", "tgotbc-{size}M.asc"),
    "lgo": ("lgo", "cp866", "CP866", "lgo-{size}M.csv"),
    "pinnacle": ("pinnacle", "koi8_r", "KOI8-R", "pinnacle-{size}M-vector.dat"),
    "spectrum": ("spectrum", "cp1251", "CP1251", "spectrum-{size}M.txt"),
}
CHARSET_NAMES = {"cp1251": "CP1251", "koi8_r": "KOI8-R", "cp866": "CP866"}


class Network:
    """Stations of a network: names, geodetic and geocentric positions."""

    def __init__(self, rnd, count):
        self.rnd = rnd
        self.names, self.geo, self.xyz = [], [], []
        # A jittered grid about 3 km apart; baselines join neighbours.
        self.columns = max(2, int(math.sqrt(count)))
        used = set()
        while len(self.names) < count:
            name = self.name(len(self.names))
            if name in used:
                continue
            used.add(name)
            row, column = divmod(len(self.names), self.columns)
            lat = math.radians(54.0 + 0.027 * (row + rnd.uniform(-0.3, 0.3)))
            lon = math.radians(36.0 + 0.045 * (column + rnd.uniform(-0.3, 0.3)))
            h = rnd.uniform(90.0, 260.0)
            self.names.append(name)
            self.geo.append((lat, lon, h))
            self.xyz.append(geocentric(lat, lon, h))

    def name(self, i):
        rnd = self.rnd
        if i % 3 == 2:
            return "%s %d" % (rnd.choice(RUSSIAN_WORDS), rnd.randint(1, 9999))
        return "%s%04d" % (rnd.choice(LATIN_PREFIXES), rnd.randint(1, 9999))

    def pair(self):
        while True:
            a = self.rnd.randrange(len(self.names))
            b = a + self.rnd.choice([1, -1, self.columns, -self.columns, self.columns + 1, 1 - self.columns])
            if 0 <= b < len(self.names):
                return a, b

    def delta(self, a, b):
        return [q - p for p, q in zip(self.xyz[a], self.xyz[b])]


def geocentric(lat, lon, h):
    a, e2 = 6378137.0, 0.00669437999014
    n = a / math.sqrt(1 - e2 * math.sin(lat) ** 2)
    return ((n + h) * math.cos(lat) * math.cos(lon), (n + h) * math.cos(lat) * math.sin(lon),
            (n * (1 - e2) + h) * math.sin(lat))


def dms(angle, sep=" ", digits=4):
    deg = math.degrees(abs(angle))
    d = int(deg)
    m = int((deg - d) * 60)
    s = (deg - d - m / 60) * 3600
    return "%d%s%02d%s%0*.*f" % (d, sep, m, sep, digits + 3, digits, s)


def topcon(rnd, net, out, target):
    out.write("Topcon Tools 8.2 - отчёт об обработке базовых линий\r\n"
              "Проект: Опорная сеть, крупный участок\r\nДата обработки: 14.06.2023 10:42\r\n"
              "Формат пункта: P, имя, широта, долгота, высота\r\n"
              "Формат вектора: VPP, база, ровер, dX, dY, dZ, СКО X, СКО Y, СКО Z\r\n\r\nПункты\r\n")
    for name, (lat, lon, h) in zip(net.names, net.geo):
        out.write("P,%s,%s,%s,%.3f\r\n" % (name, dms(lat), dms(lon), h))
    out.write("\r\nВекторы\r\n")
    while out.size < target:
        a, b = net.pair()
        d = net.delta(a, b)
        out.write("VPP,%s,%s,%.4f,%.4f,%.4f,%.4f,%.4f,%.4f\r\n" % (
            net.names[a], net.names[b], *d, *(rnd.uniform(0.001, 0.005) for _ in range(3))))
        out.records += 1
    out.records += len(net.names)


def tgotbc(rnd, net, out, target):
    out.write("[General]\r\nSource=Trimble Business Center\r\nProjName=Опорная сеть, крупный участок\r\n"
              "GPSVectors=MarkToMark\r\nCoordinateUnits=meters\r\nAngularUnits=degrees\r\nSeparator=:\r\n\r\n\r\n"
              "[Stations]\r\n")
    for name, (lat, lon, h) in zip(net.names, net.geo):
        out.write("Station=2:?:%s:%.9fN:%.9fE:%.4f:%.4f:%.4f:%.4f:0:0:0:?:?\r\n" % (
            name, math.degrees(lat), math.degrees(lon), h, rnd.uniform(6e6, 6.4e6), rnd.uniform(6e5, 7e5), h - 17.3))
    out.write("\r\n\r\n[Keyed In Coordinates]\r\n")
    for name, (lat, lon, h) in list(zip(net.names, net.geo))[::10]:
        out.write("LLCoord=1:?:%s:%.9fN:%.9fE:%.4f:?:U:U:U:E:W\r\n" % (name, math.degrees(lat), math.degrees(lon), h))
    out.write("\r\n\r\n[GPS]\r\n")
    while out.size < target:
        a, b = net.pair()
        q = [rnd.uniform(1e-5, 6e-5) for _ in range(6)]
        out.write("Vector=1:?:%s:%s:%.4f:%.4f:%.4f:%.10e:%.10e:%.10e:%.10e:%.10e:%.10e:%.4f:%.4f:PostProcessed:?:"
                  "%.3f:?:14 09 2022:06 05 40.0:14 09 2022:11 25 10.0:E:Static or fast static:Static or fast static:"
                  "Fixed:L2\r\n" % (net.names[a], net.names[b], *net.delta(a, b), *q, rnd.uniform(1.2, 2.5),
                                   rnd.uniform(0.02, 0.2), rnd.uniform(0.004, 0.03)))
        out.records += 1
    out.records += len(net.names) + len(net.names[::10])


def lgo(rnd, net, out, target):
    out.write("Reference Id,Rover Id,Date/Time,dX,dY,dZ,Q11,Q22,Q33,Q12,Q13,Q23\r\n")
    while out.size < target:
        a, b = net.pair()
        out.write("%s,%s,%02d.06.2023 %02d:%02d:%02d,%.4f,%.4f,%.4f,%.7f,%.7f,%.7f,%.7f,%.7f,%.7f\r\n" % (
            net.names[a], net.names[b], rnd.randint(1, 28), rnd.randint(6, 20), rnd.randint(0, 59),
            rnd.randint(0, 59), *net.delta(a, b), *(rnd.uniform(1e-6, 6e-6) for _ in range(3)),
            *(rnd.uniform(-1.5e-6, 1.5e-6) for _ in range(3))))
        out.records += 1


def pinnacle(rnd, net, out, target):
    # Names longer than the record's eight characters stand in the synonym
    # block, with a description; the records use their synonyms.
    out.write("List of Synonyms for Long Names\r\n")
    synonyms = []
    for i, name in enumerate(net.names):
        if len(name) > 8:
            synonyms.append("S%05d" % i)
            out.write("%s %s %s\r\n" % (synonyms[-1], name, rnd.choice(["water tower", "control mark", "репер"])))
        else:
            synonyms.append(name)
    out.write("End of List\r\n:::\r\n")
    n = 0
    while out.size < target:
        a, b = net.pair()
        d = net.delta(a, b)
        n += 1
        out.write("%d*%s*%s*L1L2*FIXED*%12.4f*%12.4f*%12.4f*%12.4f\r\n" % (
            n, synonyms[b], synonyms[a], *d, math.sqrt(sum(c * c for c in d))))
        v = [rnd.uniform(1e-7, 4e-6) for _ in range(6)]
        out.write("  %.6E  %.6E  %.6E  %.6E  %.6E  %.6E\r\n" % tuple(v))
        out.records += 1


SPECTRUM_EN = ("Spectrum® Survey 4.30                                                Page {page}\r\n"
               "Project: LARGE NETWORK 2023                         Baseline processing report\r\n"
               "{rule}\r\n\r\n                                 VECTOR SUMMARY\r\n\r\n"
               "Baseline:      {a} - {b}\r\nProcessed:     2023-06-10 10:14:44    Solution: Fixed double difference L1/L2\r\n"
               "Ephemeris:     Broadcast                 Elevation mask: 13 deg    Tropo model: Hopfield\r\n\r\n"
               "BASE STATION ({a})    Occupation 2023-06-10 08:11:47 - 10:31:00    Epochs: 1419\r\n"
               "Antenna [SP80 internal, 1.512 m slant to ARP]\r\n{sa}\r\n"
               "REMOTE STATION ({b})    Occupation 2023-06-10 08:01:15 - 10:43:00    Epochs: 1328\r\n"
               "Antenna [SP80 internal, 1.447 m slant to ARP]\r\n{sb}\r\n"
               "VECTOR RESULTS\r\n{d}Slope distance:    {dist} m    Ratio: 5.8    RMS: 0.0047 m\r\n\r\n"
               "COVARIANCE MATRIX (m^2)\r\n            dX              dY              dZ\r\n{cov}\r\n")
SPECTRUM_RU = ("Spectrum® Survey 4.30                                              Стр. {page}\r\n"
               "Проект: КРУПНАЯ СЕТЬ 2023               Отчет об обработке базовых линий\r\n"
               "{rule}\r\n\r\n                               ОТЧЕТ ПО ВЕКТОРУ\r\n\r\n"
               "Вектор:        {a} - {b}\r\nОбработан:     15.07.2023 11:41:36    Решение: фиксированное, L1/L2\r\n"
               "Эфемериды:     бортовые                  Маска по высоте: 13 град    Тропосфера: Хопфилд\r\n\r\n"
               "БАЗОВАЯ СТАНЦИЯ ({a})    Наблюдения 15.07.2023 08:21:14 - 10:54:00    Эпох: 1471\r\n"
               "Антенна [SP80 встроенная, 1,512 м наклонная до ARP]\r\n{sa}\r\n"
               "УДАЛЕННАЯ СТАНЦИЯ ({b})    Наблюдения 15.07.2023 09:10:54 - 11:41:00    Эпох: 1408\r\n"
               "Антенна [SP80 встроенная, 1,486 м наклонная до ARP]\r\n{sb}\r\n"
               "РЕЗУЛЬТАТЫ ПО ВЕКТОРУ\r\n{d}Наклонная дальность:    {dist} м    Отношение: 19,1\r\n\r\n"
               "КОВАРИАЦИОННАЯ МАТРИЦА (м^2)\r\n            dX              dY              dZ\r\n{cov}\r\n")


def spectrum(rnd, net, out, target):
    page = 0
    while out.size < target:
        a, b = net.pair()
        page += 1
        russian = page % 3 == 0
        unit, comma = ("м", True) if russian else ("m", False)

        def num(fmt, value):
            text = fmt % value
            return text.replace(".", ",") if comma else text

        def station(i):
            (x, y, z), (lat, lon, h) = net.xyz[i], net.geo[i]
            lat_label, lon_label = ("Шир:  С", "Долг: В") if russian else ("Lat:  N", "Lon:  E")
            return ("X: %17s %s        %s %s\r\nY: %17s %s        %s %s\r\nZ: %17s %s        Hgt: %11s %s\r\n" % (
                num("%.4f", x), unit, lat_label, num("%s", dms(lat, digits=5)), num("%.4f", y), unit, lon_label,
                num("%s", dms(lon, digits=5)), num("%.4f", z), unit, num("%.3f", h), unit))

        d = net.delta(a, b)
        sigma = "СКО:" if russian else "Sigma:"
        deltas = "".join("d%s: %14s %s      %s  %s %s\r\n" % (axis, num("%.4f", v), unit, sigma,
                                                                num("%.4f", rnd.uniform(0.001, 0.004)), unit)
                         for axis, v in zip("XYZ", d))
        var = [rnd.uniform(1e-6, 1.2e-5) for _ in range(6)]
        cov = "dX    %s\r\ndY    %s    %s\r\ndZ    %s    %s    %s\r\n" % tuple(num("%.6e", v) for v in var)
        template = SPECTRUM_RU if russian else SPECTRUM_EN
        out.write(template.format(page=page, rule="=" * 86, a=net.names[a], b=net.names[b], sa=station(a),
                                  sb=station(b), d=deltas, dist=num("%.4f", math.sqrt(sum(c * c for c in d))),
                                  cov=cov))
        out.records += 1


class Output:
    def __init__(self, path, codec):
        self.file = open(path, "wb")
        self.codec = codec
        self.size = 0
        self.records = 0

    def write(self, text):
        data = text.encode(self.codec)
        self.file.write(data)
        self.size += len(data)


def prose(path, codec, target):
    rnd = random.Random(12345)
    with open(path, "wb") as f:
        size, sentence = 0, []
        while size < target:
            sentence = [rnd.choice(PROSE_WORDS) for _ in range(12)]
            data = (" ".join(sentence).capitalize() + ".\r\n").encode(codec)
            f.write(data)
            size += len(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", required=True, help="scratch directory for the inputs")
    parser.add_argument("--sizes", default="1,10,100", help="sizes in MiB, comma-separated")
    parser.add_argument("--formats", default=",".join(FORMATS))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    sizes = [int(s) for s in args.sizes.split(",")]
    manifest = os.path.join(args.out, "inputs.tsv")
    previous = {}
    if os.path.exists(manifest):
        with open(manifest, encoding="utf-8") as f:
            for line in f:
                row = line.rstrip("\n").split("\t")
                previous[row[2]] = row
    rows = []
    for fmt in args.formats.split(","):
        plugin, codec, setting, pattern = FORMATS[fmt]
        for size in sizes:
            path = os.path.join(args.out, pattern.format(size=size))
            key = os.path.basename(path)
            old = previous.get(key)
            if old and old[-1] == str(FORMAT_VERSIONS[fmt]) and os.path.exists(path) \
                    and os.path.getsize(path) == int(old[6]):
                rows.append(old)
                continue
            rnd = random.Random("%s-%d" % (fmt, size))
            # About one station per 25 baselines, as in dense control networks.
            net = Network(rnd, max(20, size * 2 ** 20 // 2500))
            out = Output(path, codec)
            globals()[fmt](rnd, net, out, size * 2 ** 20)
            out.file.close()
            rows.append([fmt, str(size), key, plugin, setting, CHARSET_NAMES[codec], str(out.size),
                         str(out.records), str(FORMAT_VERSIONS[fmt])])
            print("wrote %s: %.1f MiB, %d records" % (key, out.size / 2 ** 20, out.records), flush=True)
    for codec in CHARSET_NAMES:
        path = os.path.join(args.out, "russian-10M-%s.txt" % codec)
        if not os.path.exists(path) or os.path.getsize(path) < 10 * 2 ** 20:
            prose(path, codec, 10 * 2 ** 20)
    # Inputs generated before and not asked for this time stay listed.
    written = {row[2] for row in rows}
    rows += [row for key, row in previous.items() if key not in written and os.path.exists(os.path.join(args.out, key))]
    with open(manifest, "w", encoding="utf-8") as f:
        for row in rows:
            f.write("\t".join(row) + "\n")


if __name__ == "__main__":
    main()
