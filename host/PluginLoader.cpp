#include <gnssimport/host/PluginLoader.h>

#include <gnssimport/text/Utf8.h>
#include <nlohmann/json.hpp>

#include <cwctype>
#include <dlfcn.h>
#include <limits>
#include <utility>

namespace host {

namespace {

// The text of a string member of a descriptor; false when the member is
// there but not a string.
bool readText(const nlohmann::json& object, const char* key, std::wstring& out)
{
    const auto it = object.find(key);
    if (it == object.end())
        return true;
    if (!it->is_string())
        return false;
    out = text::fromUtf8(it->get_ref<const std::string&>(), text::WideForm::Utf32, text::OnInvalid::Replace);
    return true;
}

// Glob match with * and ?, case-insensitive.
bool globMatch(const wchar_t* pattern, const wchar_t* text)
{
    const wchar_t* starP = nullptr;
    const wchar_t* starT = nullptr;
    while (*text) {
        if (*pattern == L'*') {
            starP = pattern++;
            starT = text;
        } else if (*pattern == L'?' || (*pattern && std::towlower(*pattern) == std::towlower(*text))) {
            ++pattern;
            ++text;
        } else if (starP) {
            pattern = starP + 1;
            text = ++starT;
        } else {
            return false;
        }
    }
    while (*pattern == L'*')
        ++pattern;
    return *pattern == 0;
}

std::string dlerrorText()
{
    const char* e = dlerror();
    return e ? e : "unknown error";
}

} // namespace

bool PluginDescriptor::parse(const std::wstring& json)
{
    *this = PluginDescriptor();
    const auto object = nlohmann::json::parse(text::toUtf8(json, text::OnInvalid::Replace), nullptr, false);
    if (!object.is_object())
        return false;
    if (!readText(object, "name", name) || !readText(object, "guid", guid) ||
        !readText(object, "filter_name", filterName) || !readText(object, "filter", filter))
        return false;
    const auto v = object.find("version");
    if (v != object.end()) {
        if (!v->is_number_integer())
            return false;
        const bool inRange = v->is_number_unsigned()
                                 ? v->get<unsigned long long>() <= static_cast<unsigned long long>(std::numeric_limits<int>::max())
                                 : v->get<long long>() >= std::numeric_limits<int>::min();
        if (!inRange)
            return false;
        version = v->get<int>();
    }
    return !name.empty();
}

std::vector<std::wstring> PluginDescriptor::patterns() const
{
    std::vector<std::wstring> out;
    std::wstring current;
    for (wchar_t c : filter + L";") {
        if (c == L';') {
            if (!current.empty())
                out.push_back(current);
            current.clear();
        } else if (!std::iswspace(c)) {
            current += c;
        }
    }
    return out;
}

bool PluginDescriptor::matches(const std::wstring& fileName) const
{
    const std::size_t slash = fileName.find_last_of(L'/');
    const std::wstring base = slash == std::wstring::npos ? fileName : fileName.substr(slash + 1);
    for (const auto& p : patterns()) {
        if (globMatch(p.c_str(), base.c_str()))
            return true;
    }
    return false;
}

LoadedPlugin LoadedPlugin::load(const std::string& path, int dlopenFlags)
{
    LoadedPlugin result;
    result.m_path = path;
    void* handle = dlopen(path.c_str(), dlopenFlags ? dlopenFlags : (RTLD_NOW | RTLD_LOCAL));
    if (!handle)
        throw LoadError("cannot load plug-in " + path + ": " + dlerrorText());
    result.m_library.reset(handle, [](void* h) { dlclose(h); });
    dlerror();
    void* symbol = dlsym(handle, "CreatePlugin2");
    if (!symbol)
        throw LoadError("not a plug-in: " + path + " has no CreatePlugin2");
    result.m_create = reinterpret_cast<CreatePlugin2Func>(symbol);

    Plugin::IPlugin2* created = result.m_create();
    if (!created)
        throw LoadError("plug-in " + path + ": CreatePlugin2 returned null");
    void* mip = created->QueryInterface(Plugin::IID_ISatelliteMIP);
    created->Release();
    if (!mip)
        throw LoadError("plug-in " + path + " is not a satellite import plug-in");
    result.m_plugin = static_cast<Plugin::ISatelliteMIP*>(mip);

    const int length = result.m_plugin->GetPluginInfo(nullptr, 0);
    if (length < 0 || length > (1 << 20))
        throw LoadError("plug-in " + path + ": invalid descriptor length");
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    result.m_plugin->GetPluginInfo(&text[0], length + 1);
    text.resize(static_cast<std::size_t>(length));
    result.m_descriptorText = text;
    if (!result.m_descriptor.parse(text))
        throw LoadError("plug-in " + path + ": unreadable descriptor");
    return result;
}

LoadedPlugin::LoadedPlugin(LoadedPlugin&& other) noexcept { *this = std::move(other); }

LoadedPlugin& LoadedPlugin::operator=(LoadedPlugin&& other) noexcept
{
    if (this != &other) {
        reset();
        m_path = std::move(other.m_path);
        m_library = std::move(other.m_library);
        m_create = std::exchange(other.m_create, nullptr);
        m_plugin = std::exchange(other.m_plugin, nullptr);
        m_descriptorText = std::move(other.m_descriptorText);
        m_descriptor = std::move(other.m_descriptor);
    }
    return *this;
}

LoadedPlugin::~LoadedPlugin() { reset(); }

void LoadedPlugin::reset() noexcept
{
    // The object's code lives in the library: release it before closing.
    if (m_plugin)
        m_plugin->Release();
    m_plugin = nullptr;
    // Objects handed out share the library: it closes with the last of them.
    m_library.reset();
    m_create = nullptr;
}

PluginObject<Plugin::IPlugin2> LoadedPlugin::createAnother() const
{
    Plugin::IPlugin2* created = m_create ? m_create() : nullptr;
    return PluginObject<Plugin::IPlugin2>(created, created ? m_library : nullptr);
}

} // namespace host
