// gnssimport: loads the import plug-ins through the reference host and
// prints what they import.
#include "host/FileList.h"
#include "host/PluginLoader.h"
#include "host/RecordingTarget.h"
#include "host/SettingsStore.h"

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kPluginNames[] = {"spectrum", "tgotbc", "lgo", "pinnacle", "topcon"};

std::string narrow(const std::wstring& s)
{
    std::string out;
    std::mbstate_t state{};
    char buffer[MB_LEN_MAX];
    for (wchar_t c : s) {
        const std::size_t n = std::wcrtomb(buffer, c, &state);
        out.append(n == static_cast<std::size_t>(-1) ? "?" : std::string(buffer, n));
    }
    return out;
}

std::wstring widen(const std::string& s)
{
    std::wstring out;
    std::mbstate_t state{};
    const char* p = s.data();
    std::size_t left = s.size();
    while (left > 0) {
        wchar_t c;
        const std::size_t n = std::mbrtowc(&c, p, left, &state);
        if (n == 0 || n > left)
            break;
        out += c;
        p += n;
        left -= n;
    }
    return out;
}

fs::path executableDir()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : self.parent_path();
}

std::vector<fs::path> pluginDirs(const std::string& explicitDir)
{
    std::vector<fs::path> dirs;
    if (!explicitDir.empty())
        dirs.push_back(explicitDir);
    const fs::path exe = executableDir();
    dirs.push_back(exe / ".." / "lib" / "gnssimport");
    dirs.push_back(exe / ".." / "plugins");
    return dirs;
}

std::string findPlugin(const std::string& nameOrPath, const std::string& explicitDir)
{
    if (nameOrPath.find('/') != std::string::npos)
        return nameOrPath;
    for (const auto& dir : pluginDirs(explicitDir)) {
        const fs::path candidate = dir / ("gnssimport-" + nameOrPath + ".so");
        if (fs::exists(candidate))
            return candidate.string();
    }
    throw host::LoadError("plug-in not found: " + nameOrPath);
}

void usage(std::ostream& out)
{
    out << "usage: gnssimport plugins [--plugin-dir DIR]\n"
           "       gnssimport -p NAME|PATH [--charset NAME] [--plugin-dir DIR] FILE...\n";
}

int listPlugins(const std::string& dir)
{
    for (const char* name : kPluginNames) {
        const auto loaded = host::LoadedPlugin::load(findPlugin(name, dir));
        std::cout << loaded.path() << narrow(loaded.descriptorText()) << "\n";
    }
    return 0;
}

double degrees(double radians) { return radians * 180.0 / M_PI; }

int import(const std::string& plugin, const std::string& dir, const std::string& charset,
           const std::vector<std::string>& files)
{
    auto loaded = host::LoadedPlugin::load(findPlugin(plugin, dir));
    host::SettingsStore settings;
    if (!charset.empty())
        settings.set(L"charset", widen(charset));
    loaded.plugin()->LoadSettings(&settings);
    host::FileList list;
    for (const auto& f : files)
        list.add(widen(f));
    host::RecordingTarget target;
    target.setRecordEvents(false);
    loaded.plugin()->DoImport(&list, &target);

    bool errors = false;
    for (const auto& file : target.files()) {
        std::cout << narrow(file.path) << ": " << file.points.size() << " points, " << file.vectors.size()
                  << " vectors (" << narrow(loaded.descriptor().name) << ")\n";
        for (const auto& p : file.points) {
            std::printf("  point %-20s %14.9f %14.9f", narrow(p.name).c_str(), degrees(p.latitude.value_or(NAN)),
                        degrees(p.longitude.value_or(NAN)));
            if (p.ellipsoidalHeight)
                std::printf(" %10.4f", *p.ellipsoidalHeight);
            std::printf("\n");
        }
        for (const auto& v : file.vectors)
            std::printf("  vector %s -> %s  %.4f %.4f %.4f\n", narrow(v.origin).c_str(), narrow(v.target).c_str(),
                        v.dx().value_or(NAN), v.dy().value_or(NAN), v.dz().value_or(NAN));
        for (const auto& m : file.messages) {
            const char* kind = m.severity == host::ImportMessage::Error ? "error" : "warning";
            errors = errors || m.severity == host::ImportMessage::Error;
            std::cerr << narrow(file.path);
            if (m.line >= 0)
                std::cerr << ":" << m.line + 1;
            std::cerr << ": " << kind << ": " << narrow(m.text) << "\n";
        }
    }
    return errors ? 1 : 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    std::string plugin, dir, charset;
    std::vector<std::string> files;
    bool list = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* option) -> std::string {
            if (i + 1 >= argc)
                throw std::invalid_argument(std::string("missing value for ") + option);
            return argv[++i];
        };
        try {
            if (arg == "-h" || arg == "--help") {
                usage(std::cout);
                return 0;
            } else if (arg == "-p" || arg == "--plugin") {
                plugin = value("--plugin");
            } else if (arg == "--plugin-dir") {
                dir = value("--plugin-dir");
            } else if (arg == "--charset") {
                charset = value("--charset");
            } else if (arg == "plugins" && files.empty() && !list) {
                list = true;
            } else if (!arg.empty() && arg[0] == '-') {
                throw std::invalid_argument("unknown option " + arg);
            } else {
                files.push_back(arg);
            }
        } catch (const std::invalid_argument& e) {
            std::cerr << "gnssimport: " << e.what() << "\n";
            usage(std::cerr);
            return 2;
        }
    }
    try {
        if (list)
            return listPlugins(dir);
        if (plugin.empty() || files.empty()) {
            usage(std::cerr);
            return 2;
        }
        return import(plugin, dir, charset, files);
    } catch (const host::LoadError& e) {
        std::cerr << "gnssimport: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "gnssimport: " << e.what() << "\n";
        return 1;
    }
}
