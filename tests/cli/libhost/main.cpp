// Imports the files named on the command line with the installed Topcon
// plug-in through the reference host library, and prints what it received.
#include <gnssimport/host/FileList.h>
#include <gnssimport/host/PluginLoader.h>
#include <gnssimport/host/RecordingTarget.h>

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    try {
        host::LoadedPlugin plugin = host::LoadedPlugin::load(std::string(PLUGIN_DIR) + "/gnssimport-topcon.so");
        host::FileList files;
        for (int i = 1; i < argc; ++i) {
            const std::string path = argv[i];
            files.add(std::wstring(path.begin(), path.end())); // ASCII paths
        }
        host::RecordingTarget target;
        plugin.plugin()->DoImport(&files, &target);
        for (const auto& file : target.files())
            std::printf("%ls: %zu points, %zu vectors, %zu messages\n", file.path.c_str(), file.points.size(),
                        file.vectors.size(), file.messages.size());
        return target.files().empty() ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "libhost: %s\n", e.what());
        return 1;
    }
}
