#include "LgoTestSupport.h"

#include <cmath>

namespace lgo {

const std::vector<std::string> kPointsHeader = {"Point Id", "Latitude", "Longitude", "Ellip. Hgt."};
const std::vector<std::string> kLinesHeader = {"Reference Id", "Rover Id", "dX", "dY", "dZ", "Q11", "Q22", "Q33"};

std::string table(const std::vector<std::vector<std::string>>& rows, char sep)
{
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i)
                text += sep;
            text += row[i];
        }
        text += "\r\n";
    }
    return text;
}

double dmsRadians(double degrees, double minutes, double seconds)
{
    return (degrees + minutes / 60 + seconds / 3600) * std::acos(-1.0) / 180;
}

host::RecordingTarget import(Plugin::ISatelliteMIP* plugin, const std::vector<std::wstring>& paths,
                             const host::RecordingTarget::Options& options)
{
    host::RecordingTarget target(options);
    host::FileList files(paths);
    plugin->DoImport(&files, &target);
    return target;
}

std::vector<std::wstring> eventsOf(const host::RecordingTarget& target, bool withProgress)
{
    std::vector<std::wstring> out;
    for (const auto& e : target.events())
        if (e.kind != host::TargetEvent::SetCurrentFile && (withProgress || e.kind != host::TargetEvent::SetProgress))
            out.push_back(host::describe(e));
    return out;
}

} // namespace lgo
