#include "PinnacleTrace.h"

#include <filesystem>
#include <sstream>

namespace pinnacle {

Imported importFiles(const std::vector<DatFile>& files, bool target2, const std::wstring& charset)
{
    test::TempDir dir;
    std::vector<std::wstring> paths;
    for (const auto& file : files)
        paths.push_back(dir.write(file.name, file.content));
    test::ImportRun run;
    run.options.offerTarget2 = target2;
    if (!charset.empty())
        run.settings[L"charset"] = charset;
    return Imported{test::importWith("pinnacle", paths, run), paths};
}

namespace {

std::string number(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string render(const host::TargetEvent& e)
{
    using K = host::TargetEvent;
    const std::string id = test::U(host::eventName(e.id));
    switch (e.kind) {
    case K::SetCurrentFile:
        return "File(" + std::filesystem::path(test::U(e.text)).filename().string() + ")";
    case K::SetCurrentLine:
        return "Line(" + std::to_string(e.line) + ")";
    case K::ReportWarning:
        return "Warning(" + test::U(e.text) + ")";
    case K::ReportError:
        return "Error(" + test::U(e.text) + ")";
    case K::SetProgress:
        return "Progress(" + number(e.value) + ")";
    case K::SetValue:
        return id + "=" + number(e.value);
    case K::SetText:
        return id + "(" + test::U(e.text) + ")";
    case K::SetElevation:
        return "Elevation=" + number(e.value);
    case K::SetEllipsoidalHeight:
        return "Height=" + number(e.value);
    case K::SetCovariance:
        return test::U(host::describe(e));
    }
    return "?";
}

} // namespace

std::vector<std::string> trace(const host::RecordingTarget& target)
{
    std::vector<std::string> out;
    for (const auto& e : target.events())
        out.push_back(render(e));
    return out;
}

std::size_t hostWarnings(const host::RecordingTarget& target)
{
    std::size_t n = 0;
    for (const auto& file : target.files())
        n += file.count(host::ImportMessage::HostWarning);
    return n;
}

} // namespace pinnacle
