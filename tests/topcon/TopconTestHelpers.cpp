#include "TopconTestHelpers.h"

#include "PluginHelpers/RefCounted.h"
#include <gnssimport/host/AngleConverters.h>

#include <cwchar>

namespace topcon {

namespace {

class SpyConverter : public Plugin::CRefCountedImpl<Plugin::IAngleConverter> {
public:
    explicit SpyConverter(SpyTarget& target) : m_target(target) { ++m_target.liveConverters; }
    ~SpyConverter() override { --m_target.liveConverters; }
    bool Convert(const wchar_t* text, double& value) override
    {
        m_target.angleTexts.push_back(text);
        return host::parseAngle(Plugin::AngleConverter::fromDMS, text, value);
    }

private:
    SpyTarget& m_target;
};

class SpyFactory : public Plugin::CRefCountedImpl<Plugin::IUnitConvertersFactory> {
public:
    explicit SpyFactory(SpyTarget& target) : m_target(target) { ++m_target.liveConverters; }
    ~SpyFactory() override { --m_target.liveConverters; }
    Plugin::IAngleConverter* CreateAngleConverter(Plugin::AngleConverter::Type type) override
    {
        if (type != Plugin::AngleConverter::fromDMS)
            return nullptr;
        auto* converter = new SpyConverter(m_target);
        converter->AddRef();
        return converter;
    }

private:
    SpyTarget& m_target;
};

std::wstring number(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%g", value);
    return buffer;
}

} // namespace

Plugin::IUnitConvertersFactory* SpyTarget::GetUnitConvertersFactory()
{
    auto* factory = new SpyFactory(*this);
    factory->AddRef();
    return factory;
}

int SpyTarget::ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data)
{
    charsets.push_back(charset ? charset : L"(null)");
    return host::RecordingTarget::ConvertBytes(service, charset, data);
}

std::wstring angle(double degrees, double minutes, double seconds)
{
    const double pi = 3.14159265358979323846;
    return number((degrees + minutes / 60 + seconds / 3600) * pi / 180);
}

void import(host::RecordingTarget& target, const std::vector<std::wstring>& paths, const std::wstring& charset)
{
    auto loaded = host::LoadedPlugin::load(test::pluginPath("topcon"));
    host::SettingsStore settings;
    if (!charset.empty())
        settings.set(L"charset", charset);
    loaded.plugin()->LoadSettings(&settings);
    host::FileList files(paths);
    loaded.plugin()->DoImport(&files, &target);
}

std::vector<std::wstring> brief(const host::RecordingTarget& target, bool withProgress)
{
    std::vector<std::wstring> out;
    for (const host::TargetEvent& e : target.events()) {
        switch (e.kind) {
        case host::TargetEvent::SetCurrentFile:
            break;
        case host::TargetEvent::SetProgress:
            if (withProgress)
                out.push_back(L"SetProgress(" + number(e.value) + L")");
            break;
        case host::TargetEvent::SetValue:
            out.push_back(std::wstring(L"SetValue(") + host::eventName(e.id) + L"," + number(e.value) + L")");
            break;
        case host::TargetEvent::SetEllipsoidalHeight:
            out.push_back(L"SetEllipsoidalHeight(" + number(e.value) + L")");
            break;
        default:
            out.push_back(host::describe(e));
        }
    }
    return out;
}

std::vector<std::wstring> importBytes(const std::string& bytes, const host::RecordingTarget::Options& options,
                                      std::vector<std::wstring>* angleTexts)
{
    test::TempDir dir;
    SpyTarget target(options);
    import(target, {dir.write("report.txt", bytes)}, L"UTF-8");
    if (angleTexts)
        *angleTexts = target.angleTexts;
    return brief(target);
}

} // namespace topcon
