#include "EventAssembly.h"

namespace cli {

namespace {

class Assembler {
public:
    host::ImportedFile file;

    void add(const host::TargetEvent& e)
    {
        using K = host::TargetEvent;
        switch (e.kind) {
        case K::SetCurrentFile:
            if (file.path.empty())
                file.path = e.text;
            m_line = -1;
            m_point = m_vector = -1;
            break;
        case K::SetCurrentLine: m_line = e.line; break;
        case K::ReportWarning: message(host::ImportMessage::Warning, e.text); break;
        case K::ReportError: message(host::ImportMessage::Error, e.text); break;
        case K::SetProgress:
            if (!(e.value >= 0 && e.value <= 100))
                message(host::ImportMessage::HostWarning, L"progress out of range");
            file.progress.push_back(static_cast<float>(e.value));
            break;
        case K::SetText: text(e.id, e.text); break;
        case K::SetValue: value(e.id, e.value); break;
        case K::SetElevation:
            if (auto* p = point(L"SetElevation"))
                p->elevation = e.value;
            break;
        case K::SetEllipsoidalHeight:
            if (auto* p = point(L"SetEllipsoidalHeight"))
                p->ellipsoidalHeight = e.value;
            break;
        }
    }

private:
    void message(host::ImportMessage::Severity severity, const std::wstring& text)
    {
        file.messages.push_back({severity, text, m_line});
    }

    host::ImportedPoint* point(const std::wstring& what)
    {
        if (m_point < 0) {
            message(host::ImportMessage::HostWarning, what + L" with no point open");
            return nullptr;
        }
        return &file.points[static_cast<std::size_t>(m_point)];
    }

    void text(Plugin::SatEvents id, const std::wstring& text)
    {
        if (id == Plugin::Point) {
            host::ImportedPoint p;
            p.name = text;
            p.line = m_line;
            file.points.push_back(std::move(p));
            m_point = static_cast<int>(file.points.size()) - 1;
        } else if (id == Plugin::VectorOrigin) {
            host::ImportedVector v;
            v.origin = text;
            v.line = m_line;
            file.vectors.push_back(std::move(v));
            m_vector = static_cast<int>(file.vectors.size()) - 1;
            m_next = -1;
        } else if (id == Plugin::VectorTarget) {
            if (m_vector < 0 || m_next != -1) {
                message(host::ImportMessage::HostWarning, L"VectorTarget without VectorOrigin just before");
                host::ImportedVector v;
                v.line = m_line;
                file.vectors.push_back(std::move(v));
                m_vector = static_cast<int>(file.vectors.size()) - 1;
            }
            file.vectors[static_cast<std::size_t>(m_vector)].target = text;
            m_next = 0;
        } else {
            message(host::ImportMessage::HostWarning, std::wstring(L"SetText with value event ") + host::eventName(id));
        }
    }

    void value(Plugin::SatEvents id, double v)
    {
        if (id == Plugin::Latitude || id == Plugin::Longitude) {
            if (auto* p = point(host::eventName(id)))
                (id == Plugin::Latitude ? p->latitude : p->longitude) = v;
        } else if (id >= Plugin::DeltaX && id <= Plugin::Factor) {
            const int index = static_cast<int>(id) - static_cast<int>(Plugin::DeltaX);
            if (m_vector < 0) {
                message(host::ImportMessage::HostWarning, std::wstring(host::eventName(id)) + L" with no vector open");
                return;
            }
            if (index != m_next)
                message(host::ImportMessage::HostWarning, std::wstring(host::eventName(id)) + L" out of order");
            file.vectors[static_cast<std::size_t>(m_vector)].values[index] = v;
            m_next = index + 1;
        } else {
            message(host::ImportMessage::HostWarning, std::wstring(L"SetValue with text event ") + host::eventName(id));
        }
    }

    int m_line = -1;
    int m_point = -1;  // index of the point opened last, -1 for none
    int m_vector = -1; // index of the vector opened last
    int m_next = 0;    // index into ImportedVector::values expected next, -1 before VectorTarget
};

} // namespace

host::ImportedFile assemble(const std::vector<host::TargetEvent>& events)
{
    Assembler assembler;
    for (const auto& e : events)
        assembler.add(e);
    return std::move(assembler.file);
}

} // namespace cli
