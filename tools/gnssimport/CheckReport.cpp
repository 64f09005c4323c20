#include "NetworkCheck.h"

#include "Mahalanobis.h"

#include "Text.h"
#include "TextTable.h"

#include <algorithm>

namespace cli {

namespace {

std::string where(const VectorRef& ref)
{
    const std::string path = utf8(ref.file->path);
    return ref.vector->line >= 0 ? path + ":" + std::to_string(ref.vector->line + 1) : path;
}

std::vector<std::string> cells(const Discrepancy& x)
{
    return {fixed(x.d[0], 4), fixed(x.d[1], 4), fixed(x.d[2], 4), fixed(x.length, 4),
            x.sigmas ? fixed(*x.sigmas, 1) : "-", x.chi2 ? fixed(*x.chi2, 2) : "-", x.flagged ? "!" : ""};
}

std::vector<TextTable::Column> columns(std::vector<TextTable::Column> leading, const char* prefix)
{
    const std::string p = prefix;
    for (const char* axis : {"X", "Y", "Z"})
        leading.push_back({p + axis, TextTable::Right});
    leading.push_back({"Length", TextTable::Right});
    leading.push_back({"Sigmas", TextTable::Right});
    leading.push_back({"Chi2", TextTable::Right});
    leading.push_back({"", TextTable::Left});
    leading.push_back({"Where", TextTable::Left});
    return leading;
}

template <typename T, typename F>
std::size_t countFlagged(const std::vector<T>& items, F discrepancy)
{
    return static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(), [&](const T& item) { return discrepancy(item).flagged; }));
}

} // namespace

void writeCheckReport(std::ostream& out, const NetworkCheck& check, const CheckOptions& options)
{
    const std::size_t badMisclosures = countFlagged(check.misclosures, [](const Misclosure& m) { return m.misclosure; });
    const std::size_t badRepeats = countFlagged(check.repeats, [](const RepeatDifference& r) { return r.difference; });
    std::string limit = fixed(options.tolerance, 4) + " m";
    if (options.maxSigmas > 0)
        limit += " or " + shortest(options.maxSigmas) + " sigma";
    limit += "; with a full covariance chi2 " + fixed(chiSquared3Limit(options.alpha), 2) + " (alpha "
             + shortest(options.alpha) + ") in place of sigmas";

    out << "Network check (limit " << limit << ")\n";
    out << "  " << check.misclosures.size() << " vectors against point coordinates, " << badMisclosures
        << " over the limit; " << check.unchecked << " without both end points\n";
    out << "  " << check.repeats.size() << " repeated measurements, " << badRepeats << " over the limit\n";
    for (const auto& warning : check.warnings)
        out << "  warning: " << warning << '\n';

    if (!check.misclosures.empty()) {
        TextTable table(columns({{"From", TextTable::Left}, {"To", TextTable::Left}}, "w"));
        for (const auto& m : check.misclosures) {
            std::vector<std::string> row = {utf8(m.vector.vector->origin), utf8(m.vector.vector->target)};
            for (auto& cell : cells(m.misclosure))
                row.push_back(std::move(cell));
            row.push_back(where(m.vector));
            table.add(std::move(row));
        }
        out << "\nMisclosures: vector minus coordinate difference, metres\n";
        table.write(out);
    }
    if (!check.repeats.empty()) {
        TextTable table(columns({{"From", TextTable::Left}, {"To", TextTable::Left}, {"Dir", TextTable::Left}}, "d"));
        for (const auto& r : check.repeats) {
            std::vector<std::string> row = {utf8(r.first.vector->origin), utf8(r.first.vector->target),
                                            r.reversed ? "reverse" : "same"};
            for (auto& cell : cells(r.difference))
                row.push_back(std::move(cell));
            row.push_back(where(r.other) + " vs " + where(r.first));
            table.add(std::move(row));
        }
        out << "\nRepeated vectors: later measurement minus first, metres\n";
        table.write(out);
    }
}

} // namespace cli
