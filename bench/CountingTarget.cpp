#include "CountingTarget.h"

#include <gnssimport/host/AngleConverters.h>

#include <cwchar>

namespace bench {

void CountingTarget::mix(const void* data, std::size_t size)
{
    if (!m_hashEvents)
        return;
    const auto* p = static_cast<const unsigned char*>(data);
    std::uint64_t h = m_counts.hash;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    m_counts.hash = h;
}

void CountingTarget::mixEvent(char kind, int id)
{
    mix(&kind, 1);
    mix(&id, sizeof id);
}

void CountingTarget::mixText(const wchar_t* text)
{
    if (!m_hashEvents)
        return;
    const std::size_t size = text ? std::wcslen(text) : 0;
    mix(&size, sizeof size);
    if (size)
        mix(text, size * sizeof(wchar_t));
}

Plugin::IUnitConvertersFactory* CountingTarget::GetUnitConvertersFactory()
{
    return host::createUnitConvertersFactory();
}

void CountingTarget::SetCurrentFile(const wchar_t* path)
{
    mixEvent('F', 0);
    mixText(path);
}

void CountingTarget::SetCurrentLine(int line)
{
    ++m_counts.lines;
    mixEvent('L', line);
}

void CountingTarget::ReportWarning(const wchar_t* message)
{
    ++m_counts.warnings;
    mixEvent('W', 0);
    mixText(message);
}

void CountingTarget::ReportError(const wchar_t* message)
{
    ++m_counts.errors;
    mixEvent('E', 0);
    mixText(message);
}

void CountingTarget::SetProgress(float percent)
{
    ++m_counts.progress;
    mixEvent('P', 0);
    mix(&percent, sizeof percent);
}

void* CountingTarget::QueryInterface(Plugin::SatImportTargetInterface id)
{
    switch (id) {
    case Plugin::IID_ISatImportTarget:
        return static_cast<Plugin::ISatImportTarget*>(this);
    case Plugin::IID_ISatImportTarget2:
        return static_cast<Plugin::ISatImportTarget2*>(this);
    case Plugin::IID_ISatImportTarget3:
        return static_cast<Plugin::ISatImportTarget3*>(this);
    }
    return nullptr;
}

void CountingTarget::SetValue(Plugin::SatEvents event, double value)
{
    ++m_counts.values;
    mixEvent('V', event);
    mix(&value, sizeof value);
}

void CountingTarget::SetText(Plugin::SatEvents event, const wchar_t* text)
{
    if (event == Plugin::Point)
        ++m_counts.points;
    else if (event == Plugin::VectorOrigin)
        ++m_counts.vectors;
    mixEvent('T', event);
    mixText(text);
}

void CountingTarget::SetElevation(double value)
{
    mixEvent('e', 0);
    mix(&value, sizeof value);
}

void CountingTarget::SetEllipsoidalHeight(double value)
{
    mixEvent('h', 0);
    mix(&value, sizeof value);
}

int CountingTarget::ConvertBytes(const wchar_t* service, const wchar_t* charset, Plugin::IByteArray* data)
{
    ++m_counts.conversions;
    if (!data || !service || std::wcscmp(service, L"strconv") != 0)
        return 1;
    const wchar_t* name = charset ? charset : L"";
    if (m_charsetWide != name) {
        m_charsetWide = name;
        m_charset.assign(m_charsetWide.begin(), m_charsetWide.end());
    }
    const int size = data->size();
    if (!m_charsets.convert(m_charset, data->data(), static_cast<std::size_t>(size > 0 ? size : 0), m_text))
        return 1;
    data->assign(reinterpret_cast<const char*>(m_text.data()), static_cast<int>(m_text.size() * sizeof(wchar_t)));
    return 0;
}

} // namespace bench
