// GNU Gama's gama-local input. Its frame is Cartesian and local, so the
// network goes into east, north, up at the origin station: positions by
// GeographicLib's LocalCartesian, vectors and their covariance rotated by
// the same rotation. The covariance is written in mm², as the upper band
// (width 2) of the block-diagonal matrix of all vectors, row by row.
#include "Writers.h"

#include "ExportNames.h"
#include "Geodesy.h"
#include "Text.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>

namespace cli {

namespace {

constexpr double kSquareMillimetres = 1e6; // per m²

void covarianceRows(std::ostream& out, const ExportNetwork& network, const Rotation& r)
{
    const std::size_t count = network.vectors.size();
    for (std::size_t k = 0; k < count; ++k) {
        const auto& v = network.vectors[k];
        const Covariance c = rotate(r, v.covariance);
        auto mm = [&](int i) { return shortest(c[i] * v.scale * kSquareMillimetres); };
        const bool last = k + 1 == count;
        // Within the band, the elements that reach into the next block are 0.
        out << mm(0) << ' ' << mm(1) << ' ' << mm(2) << '\n';
        out << mm(3) << ' ' << mm(4) << (last ? "" : " 0") << '\n';
        out << mm(5) << (last ? "" : " 0 0") << '\n';
    }
}

} // namespace

void writeGama(std::ostream& out, const ExportNetwork& network)
{
    const ExportStation& origin = network.stations[network.origin];
    const Geodetic& o = origin.geodetic;
    const double originHeight = o.height.value_or(0.0);
    const GeographicLib::LocalCartesian local(o.latitude, o.longitude, originHeight,
                                              GeographicLib::Geocentric::WGS84());
    const Rotation r = enuRotation(o.latitude, o.longitude);

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">\n"
        << "<network axes-xy=\"en\" angles=\"right-handed\">\n"
        << "<description>Written by gnssimport. Local east (x), north (y), up (z) frame in metres, origin at station " << xmlEscape(origin.id)
        << ": latitude " << shortest(o.latitude) << ", longitude " << shortest(o.longitude)
        << " (degrees), ellipsoidal height " << shortest(originHeight)
        << " m, WGS-84 ellipsoid. Back to geodetic: CartConvert -r -l " << shortest(o.latitude) << ' '
        << shortest(o.longitude) << ' ' << shortest(originHeight) << "</description>\n"
        << "<parameters sigma-apr=\"1\"/>\n"
        << "<points-observations>\n";
    for (const auto& s : network.stations) {
        double e, n, u;
        local.Forward(s.geodetic.latitude, s.geodetic.longitude, s.geodetic.height.value_or(0.0), e, n, u);
        out << "<point id=\"" << xmlEscape(s.id) << "\" x=\"" << shortest(e) << "\" y=\"" << shortest(n)
            << "\" z=\"" << shortest(u) << (s.fixed ? "\" fix=\"xyz\"/>\n" : "\" adj=\"xyz\"/>\n");
    }
    out << "<vectors>\n";
    for (const auto& v : network.vectors) {
        const auto d = rotate(r, v.delta);
        out << "<vec from=\"" << xmlEscape(network.stations[v.from].id) << "\" to=\""
            << xmlEscape(network.stations[v.to].id) << "\" dx=\"" << shortest(d[0]) << "\" dy=\"" << shortest(d[1])
            << "\" dz=\"" << shortest(d[2]) << "\"/>\n";
    }
    out << "<cov-mat dim=\"" << 3 * network.vectors.size() << "\" band=\"2\">\n";
    covarianceRows(out, network, r);
    out << "</cov-mat>\n</vectors>\n</points-observations>\n</network>\n</gama-local>\n";
}

} // namespace cli
