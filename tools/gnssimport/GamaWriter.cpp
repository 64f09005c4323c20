// GNU Gama's gama-local input. Its frame is Cartesian and local, so the
// network goes into east, north, up at the origin station: positions by
// GeographicLib's LocalCartesian, vectors and their covariance rotated by
// the same rotation. The covariance is written in mm², as the upper band
// (width 2) of the block-diagonal matrix of all vectors, row by row.
#include "Writers.h"

#include "ExportNames.h"
#include "Geodesy.h"
#include "OutputBuffer.h"
#include "Text.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/LocalCartesian.hpp>

namespace cli {

namespace {

constexpr double kSquareMillimetres = 1e6; // per m²

void covarianceRows(OutputBuffer& out, const ExportNetwork& network, const Rotation& r)
{
    const std::size_t count = network.vectors.size();
    for (std::size_t k = 0; k < count; ++k) {
        const auto& v = network.vectors[k];
        const Covariance c = rotate(r, v.covariance);
        auto mm = [&](int i, char after) {
            out.shortest(c[i] * v.scale * kSquareMillimetres);
            out << after;
        };
        const bool last = k + 1 == count;
        // Within the band, the elements that reach into the next block are 0.
        mm(0, ' ');
        mm(1, ' ');
        mm(2, '\n');
        mm(3, ' ');
        mm(4, last ? '\n' : ' ');
        out << (last ? "" : "0\n");
        mm(5, last ? '\n' : ' ');
        out << (last ? "" : "0 0\n");
    }
}

void number(OutputBuffer& out, const char* before, double value)
{
    out << before;
    out.shortest(value);
}

} // namespace

void writeGama(std::ostream& stream, const ExportNetwork& network)
{
    OutputBuffer out(stream);
    const std::vector<std::string> ids = escapedIds(network);
    const Geodetic& o = network.stations[network.origin].geodetic;
    const double originHeight = o.height.value_or(0.0);
    const GeographicLib::LocalCartesian local(o.latitude, o.longitude, originHeight,
                                              GeographicLib::Geocentric::WGS84());
    const Rotation r = enuRotation(o.latitude, o.longitude);

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">\n"
        << "<network axes-xy=\"en\" angles=\"right-handed\">\n"
        << "<description>Written by gnssimport. Local east (x), north (y), up (z) frame in metres, origin at station " << ids[network.origin]
        << ": latitude " << shortest(o.latitude) << ", longitude " << shortest(o.longitude)
        << " (degrees), ellipsoidal height " << shortest(originHeight)
        << " m, WGS-84 ellipsoid. Back to geodetic: CartConvert -r -l " << shortest(o.latitude) << ' '
        << shortest(o.longitude) << ' ' << shortest(originHeight) << "</description>\n"
        << "<parameters sigma-apr=\"1\"/>\n"
        << "<points-observations>\n";
    for (std::size_t k = 0; k < network.stations.size(); ++k) {
        const ExportStation& s = network.stations[k];
        double e, n, u;
        local.Forward(s.geodetic.latitude, s.geodetic.longitude, s.geodetic.height.value_or(0.0), e, n, u);
        out << "<point id=\"" << ids[k];
        number(out, "\" x=\"", e);
        number(out, "\" y=\"", n);
        number(out, "\" z=\"", u);
        out << (s.fixed ? "\" fix=\"xyz\"/>\n" : "\" adj=\"xyz\"/>\n");
    }
    out << "<vectors>\n";
    for (const auto& v : network.vectors) {
        const auto d = rotate(r, v.delta);
        out << "<vec from=\"" << ids[v.from] << "\" to=\"" << ids[v.to];
        number(out, "\" dx=\"", d[0]);
        number(out, "\" dy=\"", d[1]);
        number(out, "\" dz=\"", d[2]);
        out << "\"/>\n";
    }
    out << "<cov-mat dim=\"";
    out.integer(static_cast<long long>(3 * network.vectors.size()));
    out << "\" band=\"2\">\n";
    covarianceRows(out, network, r);
    out << "</cov-mat>\n</vectors>\n</points-observations>\n</network>\n</gama-local>\n";
}

} // namespace cli
