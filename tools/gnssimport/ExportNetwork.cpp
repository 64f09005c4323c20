#include "ExportNetwork.h"

#include "ExportNames.h"
#include "Text.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace cli {

namespace {

constexpr double kConflictDistance = 0.1; // metres

std::string where(const FileResult& file, int line)
{
    return utf8(file.path) + (line >= 0 ? ":" + std::to_string(line + 1) : std::string());
}

struct StationEntry {
    std::wstring name;
    std::optional<Geocentric> position; // from the files, then from the walk
    Geodetic geodetic;                  // as the file gives it
    bool own = false;                   // position given by a file
    std::string source;                 // file:line of the position
};

double distance(const Geocentric& a, const Geocentric& b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

// Only a full position: a made-up height would be a wrong start value.
std::optional<Geodetic> pointPosition(const host::ImportedPoint& p)
{
    if (!p.latitude || !p.longitude || !p.ellipsoidalHeight || !std::isfinite(*p.latitude)
        || !std::isfinite(*p.longitude) || !std::isfinite(*p.ellipsoidalHeight))
        return std::nullopt;
    return Geodetic{degrees(*p.latitude), degrees(*p.longitude), *p.ellipsoidalHeight};
}

// Station names to indexes by open addressing over the names' hashes: a
// lookup reads one slot array and the name of the station it finds, where
// a node-based map chases a node and its key through memory for each of
// millions of vector ends.
class StationIndex {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    // The index of the station named name (names: index to name), or none.
    template <typename Names>
    std::size_t find(const std::wstring& name, const Names& names) const
    {
        return m_slots.empty() ? none : m_slots[slot(name, hash(name), names)].index;
    }
    // The index of name, adding it as index when it is new.
    template <typename Names>
    std::size_t add(const std::wstring& name, std::size_t index, const Names& names)
    {
        if (2 * (m_count + 1) > m_slots.size())
            grow();
        const std::uint64_t h = hash(name);
        Slot& s = m_slots[slot(name, h, names)];
        if (s.index == none) {
            s = {h, index};
            ++m_count;
        }
        return s.index;
    }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t index = none;
    };

    static std::uint64_t hash(const std::wstring& name) { return std::hash<std::wstring>()(name); }

    // Where name is, or the empty slot where it would go.
    template <typename Names>
    std::size_t slot(const std::wstring& name, std::uint64_t h, const Names& names) const
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t i = h & mask;
        while (m_slots[i].index != none && (m_slots[i].hash != h || names(m_slots[i].index) != name))
            i = (i + 1) & mask;
        return i;
    }

    void grow()
    {
        std::vector<Slot> old(std::max<std::size_t>(64, 2 * m_slots.size()));
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& s : old) {
            if (s.index == none)
                continue;
            std::size_t i = s.hash & mask;
            while (m_slots[i].index != none)
                i = (i + 1) & mask;
            m_slots[i] = s;
        }
    }

    std::vector<Slot> m_slots; // a power of two, at most half full
    std::size_t m_count = 0;
};

class Builder {
public:
    // vectors: how many the files hold, the most that can become candidates.
    Builder(const ExportOptions& options, std::size_t vectors, std::ostream& warnings)
        : m_options(options), m_warnings(warnings)
    {
        m_candidates.reserve(vectors);
        m_full.reserve(vectors);
    }

    void addFile(const FileResult& file)
    {
        file.forEachPoint([&](const host::ImportedPoint& p) {
            if (!p.name.empty())
                addPoint(file, p);
        });
        file.forEachVector([&](const host::ImportedVector& v) { addVector(file, v); });
    }

    ExportNetwork finish(NameRule rule);

private:
    // The station names by index, for the index to compare with.
    auto names() const
    {
        return [this](std::size_t i) -> const std::wstring& { return m_stations[i].name; };
    }

    std::size_t station(const std::wstring& name)
    {
        const std::size_t index = m_index.add(name, m_stations.size(), names());
        if (index == m_stations.size())
            m_stations.push_back({name, std::nullopt, {}, false, {}});
        return index;
    }

    void addPoint(const FileResult& file, const host::ImportedPoint& p)
    {
        StationEntry& s = m_stations[station(p.name)];
        const auto geodetic = pointPosition(p);
        if (!geodetic)
            return;
        const Geocentric position = toGeocentric(*geodetic);
        if (!s.own) {
            s.position = position;
            s.geodetic = *geodetic;
            s.own = true;
            s.source = where(file, p.line);
        } else if (distance(*s.position, position) > kConflictDistance) {
            m_warnings << where(file, p.line) << ": warning: station " << utf8(p.name) << " lies "
                       << fixed(distance(*s.position, position), 3) << " m from its position in " << s.source
                       << "; the first is kept\n";
        }
    }

    void leaveOut(const FileResult& file, const host::ImportedVector& v, const char* why)
    {
        m_warnings << where(file, v.line) << ": warning: vector " << utf8(v.origin) << " - " << utf8(v.target)
                   << " left out: " << why << '\n';
    }

    void addVector(const FileResult& file, const host::ImportedVector& v)
    {
        if (v.origin.empty() || v.target.empty())
            return leaveOut(file, v, "an end has no name");
        if (v.origin == v.target)
            return leaveOut(file, v, "both ends are the same station");
        const auto dx = v.dx(), dy = v.dy(), dz = v.dz();
        if (!dx || !dy || !dz || !std::isfinite(*dx) || !std::isfinite(*dy) || !std::isfinite(*dz))
            return leaveOut(file, v, "a component is missing or not finite");
        const auto covariance = vectorCovariance(v);
        if (!covariance)
            return leaveOut(file, v, "no standard deviations");
        if (!isPositiveDefinite(*covariance))
            return leaveOut(file, v, "covariance not positive definite");
        double scale = 1;
        if (m_options.scaleByFactor) {
            const auto factor = v.factor();
            if (factor && std::isfinite(*factor) && *factor > 0 && std::isfinite(*factor * *factor))
                scale = *factor * *factor;
            else
                ++m_unscaled;
        }
        m_candidates.push_back({station(v.origin), station(v.target), {*dx, *dy, *dz}, *covariance, scale});
        m_full.push_back(hasFullCovariance(v));
    }

    void walk();
    std::vector<bool> stationsInUse() const;
    void constrain(ExportNetwork& network, const std::vector<std::size_t>& newIndex) const;

    const ExportOptions& m_options;
    std::ostream& m_warnings;
    StationIndex m_index;
    std::vector<StationEntry> m_stations;
    // Reserved whole up front, and turned into the network's vectors in place.
    std::vector<ExportVector> m_candidates; // station indexes into m_stations
    std::vector<bool> m_full;               // the file gave the correlations
    std::size_t m_unscaled = 0;
};

// Breadth first from the stations the files place: a station without a
// position takes it from the first vector that reaches it.
void Builder::walk()
{
    // The candidates at each station, in order, as one array: those of
    // station s lie from first[s] to first[s + 1].
    std::vector<std::size_t> first(m_stations.size() + 1, 0);
    for (const ExportVector& c : m_candidates) {
        ++first[c.from + 1];
        ++first[c.to + 1];
    }
    for (std::size_t s = 0; s < m_stations.size(); ++s)
        first[s + 1] += first[s];
    std::vector<std::size_t> incident(first.back());
    std::vector<std::size_t> filled(first.begin(), first.end() - 1);
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
        incident[filled[m_candidates[i].from]++] = i;
        incident[filled[m_candidates[i].to]++] = i;
    }
    std::deque<std::size_t> queue;
    for (std::size_t i = 0; i < m_stations.size(); ++i)
        if (m_stations[i].own)
            queue.push_back(i);
    while (!queue.empty()) {
        const std::size_t known = queue.front();
        queue.pop_front();
        const Geocentric at = *m_stations[known].position;
        for (std::size_t k = first[known]; k < first[known + 1]; ++k) {
            const ExportVector& c = m_candidates[incident[k]];
            const bool forward = c.from == known;
            StationEntry& other = m_stations[forward ? c.to : c.from];
            if (other.position)
                continue;
            const double sign = forward ? 1.0 : -1.0;
            other.position = Geocentric{at.x + sign * c.delta[0], at.y + sign * c.delta[1], at.z + sign * c.delta[2]};
            other.source = "vectors from " + utf8(m_stations[known].name);
            queue.push_back(forward ? c.to : c.from);
        }
    }
}

std::vector<bool> Builder::stationsInUse() const
{
    std::vector<bool> used(m_stations.size(), false);
    for (const auto& c : m_candidates)
        if (m_stations[c.from].position && m_stations[c.to].position)
            used[c.from] = used[c.to] = true;
    return used;
}

void Builder::constrain(ExportNetwork& network, const std::vector<std::size_t>& newIndex) const
{
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::optional<std::size_t> origin;
    for (const auto& name : m_options.fix) {
        const std::size_t found = m_index.find(fromUtf8(name), names());
        const std::size_t index = found == StationIndex::none ? none : newIndex[found];
        if (index == none) {
            m_warnings << "gnssimport: warning: --fix " << name << ": no exported station has that name\n";
            continue;
        }
        network.stations[index].fixed = true;
        if (!origin)
            origin = index;
    }
    if (!m_options.fix.empty() && !origin)
        throw ExportError("no station named with --fix is exported");
    if (!origin) {
        for (std::size_t i = 0; i < network.stations.size() && !origin; ++i)
            if (!network.stations[i].computed)
                origin = i;
        network.stations[*origin].fixed = true;
        m_warnings << "gnssimport: constrained " << network.stations[*origin].id
                   << " (the first station with coordinates); choose others with --fix NAME\n";
    }
    network.origin = *origin;
}

ExportNetwork Builder::finish(NameRule rule)
{
    walk();
    const std::vector<bool> used = stationsInUse();
    std::size_t idle = 0;
    for (std::size_t i = 0; i < m_stations.size(); ++i) {
        if (m_stations[i].position)
            idle += used[i] ? 0 : 1;
        else
            m_warnings << "gnssimport: warning: station " << utf8(m_stations[i].name)
                       << " left out with its vectors: no coordinates, and no vector reaches it from a station with "
                          "them\n";
    }
    if (idle > 0)
        m_warnings << "gnssimport: " << idle << " station" << (idle == 1 ? "" : "s")
                   << " without an exported vector left out\n";

    ExportNetwork network;
    std::vector<std::size_t> newIndex(m_stations.size(), static_cast<std::size_t>(-1));
    for (std::size_t i = 0; i < m_stations.size(); ++i) {
        if (!used[i])
            continue;
        newIndex[i] = network.stations.size();
        ExportStation s;
        s.name = m_stations[i].name;
        s.position = *m_stations[i].position;
        s.geodetic = m_stations[i].own ? m_stations[i].geodetic : toGeodetic(s.position);
        s.computed = !m_stations[i].own;
        network.stations.push_back(std::move(s));
    }
    // The candidates become the vectors where they lie, so that both are never held.
    std::size_t diagonal = 0, kept = 0;
    for (std::size_t i = 0; i < m_candidates.size(); ++i) {
        ExportVector c = m_candidates[i];
        if (!used[c.from] || !used[c.to])
            continue;
        c.from = newIndex[c.from];
        c.to = newIndex[c.to];
        m_candidates[kept++] = c;
        diagonal += m_full[i] ? 0 : 1;
    }
    m_candidates.resize(kept);
    network.vectors = std::move(m_candidates);
    if (network.stations.empty() || network.vectors.empty())
        throw ExportError("nothing to export: no vector with both ends placed is left");
    assignIds(network.stations, rule, m_warnings);
    constrain(network, newIndex);

    if (diagonal > 0)
        m_warnings << "gnssimport: " << diagonal << " of " << network.vectors.size()
                   << " vectors written without correlations (the file gives only sigmas)\n";
    if (m_unscaled > 0)
        m_warnings << "gnssimport: warning: " << m_unscaled
                   << " vectors have no usable Factor; their covariance is not scaled\n";
    return network;
}

} // namespace

ExportNetwork buildExportNetwork(const ImportResults& results, const ExportOptions& options, NameRule rule,
                                 std::ostream& warnings)
{
    std::size_t vectors = 0;
    for (const auto& file : results)
        vectors += file.vectorCount();
    Builder builder(options, vectors, warnings);
    for (const auto& file : results)
        builder.addFile(file);
    return builder.finish(rule);
}

} // namespace cli
