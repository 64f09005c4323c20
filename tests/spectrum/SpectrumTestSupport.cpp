#include "SpectrumTestSupport.h"

#include <stdexcept>

namespace spectrum {

std::size_t BlockLines::find(const std::string& prefix, std::size_t from) const
{
    for (std::size_t i = from; i < lines.size(); ++i)
        if (lines[i].compare(0, prefix.size(), prefix) == 0)
            return i;
    throw std::logic_error("no block line starts with " + prefix);
}

BlockLines& BlockLines::set(const std::string& prefix, const std::string& line, std::size_t from)
{
    lines[find(prefix, from)] = line;
    return *this;
}

std::string BlockLines::text() const
{
    std::string out;
    for (const auto& line : lines)
        if (!line.empty())
            out += line + "\r\n";
    return out;
}

std::string report(const std::vector<BlockLines>& blocks, bool footers)
{
    std::string out = "Spectrum\xC2\xAE Survey 4.30   Baseline processing report\r\n";
    for (const auto& block : blocks) {
        out += block.text();
        if (footers)
            out += "\r\nSpectrum\xC2\xAE Survey 4.30   Page\r\n";
    }
    return out;
}

std::vector<FileResult> results(const host::RecordingTarget& target)
{
    using host::TargetEvent;
    std::vector<FileResult> files;
    for (const auto& e : target.events()) {
        if (e.kind == TargetEvent::SetCurrentFile) {
            files.emplace_back();
            continue;
        }
        if (files.empty())
            throw std::logic_error("event before SetCurrentFile");
        FileResult& f = files.back();
        if (e.kind == TargetEvent::ReportError) {
            f.errors.push_back(e.text);
            f.kinds.push_back("Error");
        } else if (e.kind == TargetEvent::SetEllipsoidalHeight) {
            f.points.back().height = e.value;
            f.kinds.push_back("Height");
        } else if (e.kind == TargetEvent::SetText || e.kind == TargetEvent::SetValue) {
            f.kinds.push_back(test::U(host::eventName(e.id)));
            if (e.id == Plugin::Point)
                f.points.push_back({e.text, {}, {}, {}});
            else if (e.id == Plugin::VectorOrigin)
                f.vectors.push_back({e.text, L"", {}});
            else if (e.id == Plugin::VectorTarget)
                f.vectors.back().target = e.text;
            else if (e.id == Plugin::Latitude)
                f.points.back().latitude = e.value;
            else if (e.id == Plugin::Longitude)
                f.points.back().longitude = e.value;
            else
                f.vectors.back().values.push_back(e.value);
        } else {
            f.kinds.push_back(test::U(host::describe(e)));
        }
    }
    return files;
}

std::vector<FileResult> importTexts(const std::vector<std::string>& contents, const test::ImportRun& run)
{
    test::TempDir dir;
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < contents.size(); ++i)
        paths.push_back(dir.write("report" + std::to_string(i) + ".txt", contents[i]));
    return results(test::importWith("spectrum", paths, run));
}

FileResult importText(const std::string& content, const test::ImportRun& run)
{
    return importTexts({content}, run).at(0);
}

} // namespace spectrum
