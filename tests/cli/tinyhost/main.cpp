// Loads every installed plug-in and prints its descriptor: what any host
// does first.
#include <gnssimport/Plugin.h>

#include <dirent.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace {

bool probe(const std::string& path)
{
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return false;
    auto create = reinterpret_cast<CreatePlugin2Func>(dlsym(lib, "CreatePlugin2"));
    Plugin::IPlugin2* plugin = create ? create() : nullptr;
    auto* mip = plugin ? static_cast<Plugin::ISatelliteMIP*>(plugin->QueryInterface(Plugin::IID_ISatelliteMIP)) : nullptr;
    if (plugin)
        plugin->Release();
    bool ok = false;
    if (mip) {
        const int n = mip->GetPluginInfo(nullptr, 0);
        std::wstring info(static_cast<std::size_t>(n) + 1, L'\0');
        mip->GetPluginInfo(&info[0], n + 1);
        std::printf("%s:%ls", path.c_str(), info.c_str());
        mip->Release();
        ok = n > 0;
    }
    dlclose(lib);
    return ok;
}

} // namespace

int main()
{
    DIR* dir = opendir(PLUGIN_DIR);
    if (!dir)
        return 1;
    int loaded = 0, failed = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0)
            (probe(std::string(PLUGIN_DIR) + "/" + name) ? loaded : failed)++;
    }
    closedir(dir);
    std::printf("loaded %d plug-ins\n", loaded);
    return loaded > 0 && failed == 0 ? 0 : 1;
}
