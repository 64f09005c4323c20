#include <gnssimport/host/MemoryPropertyListView.h>

#include <charconv>
#include <cwchar>
#include <system_error>

namespace host {

namespace {

bool isXmlSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool isNameChar(wchar_t c)
{
    return !isXmlSpace(c) && c != L'<' && c != L'>' && c != L'/' && c != L'=' && c != L'"' && c != L'\''
           && c != L'&';
}

bool parseInt(const std::wstring& text, int& value)
{
    std::string narrow;
    for (wchar_t c : text) {
        if (c != L'-' && (c < L'0' || c > L'9'))
            return false;
        narrow += static_cast<char>(c);
    }
    const char* end = narrow.data() + narrow.size();
    auto result = std::from_chars(narrow.data(), end, value);
    return !narrow.empty() && result.ec == std::errc() && result.ptr == end;
}

// Decodes the five predefined entities and character references; anything
// else after "&" is kept as written.
std::wstring decodeEntities(const std::wstring& raw)
{
    static const struct {
        const wchar_t* name;
        wchar_t c;
    } named[] = {{L"amp", L'&'}, {L"lt", L'<'}, {L"gt", L'>'}, {L"quot", L'"'}, {L"apos", L'\''}};
    std::wstring out;
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t semicolon = raw[i] == L'&' ? raw.find(L';', i + 1) : std::wstring::npos;
        if (semicolon == std::wstring::npos) {
            out += raw[i++];
            continue;
        }
        const std::wstring name = raw.substr(i + 1, semicolon - i - 1);
        bool decoded = false;
        for (const auto& entity : named) {
            if (name == entity.name) {
                out += entity.c;
                decoded = true;
                break;
            }
        }
        if (!decoded && name.size() > 1 && name[0] == L'#') {
            const bool hex = name[1] == L'x' || name[1] == L'X';
            unsigned long code = 0;
            std::size_t k = hex ? 2 : 1;
            bool ok = k < name.size();
            for (; ok && k < name.size(); ++k) {
                const wchar_t c = name[k];
                int digit = -1;
                if (c >= L'0' && c <= L'9')
                    digit = c - L'0';
                else if (hex && c >= L'a' && c <= L'f')
                    digit = c - L'a' + 10;
                else if (hex && c >= L'A' && c <= L'F')
                    digit = c - L'A' + 10;
                ok = digit >= 0 && code <= 0x10FFFF;
                code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
            }
            if (ok && code != 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                out += static_cast<wchar_t>(code);
                decoded = true;
            }
        }
        if (decoded) {
            i = semicolon + 1;
        } else {
            out += raw[i++];
        }
    }
    return out;
}

// A tolerant reader of the editor description: well-nested elements with
// quoted attributes; comments, processing instructions, declarations and
// CDATA are skipped, text content is ignored. False when malformed.
class CEditorDescriptionReader {
public:
    explicit CEditorDescriptionReader(const std::wstring& xml) : m_xml(xml) {}

    bool read(std::vector<PropertyField>& fields)
    {
        std::vector<std::wstring> open;
        while ((m_pos = m_xml.find(L'<', m_pos)) != std::wstring::npos) {
            if (startsWith(L"<!--")) {
                if (!skipPast(L"-->", 4))
                    return false;
            } else if (startsWith(L"<![CDATA[")) {
                if (!skipPast(L"]]>", 9))
                    return false;
            } else if (startsWith(L"<?")) {
                if (!skipPast(L"?>", 2))
                    return false;
            } else if (startsWith(L"<!")) {
                if (!skipPast(L">", 2))
                    return false;
            } else if (startsWith(L"</")) {
                m_pos += 2;
                const std::wstring name = readName();
                skipSpace();
                if (name.empty() || !expect(L'>') || open.empty() || open.back() != name)
                    return false;
                open.pop_back();
            } else {
                ++m_pos;
                bool selfClosing = false;
                PropertyField field;
                std::wstring propId;
                bool hasPropId = false;
                if (!readStartTag(field, propId, hasPropId, selfClosing))
                    return false;
                if (!selfClosing)
                    open.push_back(field.element);
                if (hasPropId && parseInt(propId, field.propId))
                    fields.push_back(std::move(field));
            }
        }
        return open.empty();
    }

private:
    bool readStartTag(PropertyField& field, std::wstring& propId, bool& hasPropId, bool& selfClosing)
    {
        field.element = readName();
        if (field.element.empty())
            return false;
        for (;;) {
            skipSpace();
            if (startsWith(L"/>")) {
                m_pos += 2;
                selfClosing = true;
                return true;
            }
            if (expect(L'>'))
                return true;
            const std::wstring name = readName();
            skipSpace();
            if (name.empty() || !expect(L'='))
                return false;
            skipSpace();
            if (m_pos >= m_xml.size() || (m_xml[m_pos] != L'"' && m_xml[m_pos] != L'\''))
                return false;
            const std::size_t close = m_xml.find(m_xml[m_pos], m_pos + 1);
            if (close == std::wstring::npos)
                return false;
            const std::wstring value = decodeEntities(m_xml.substr(m_pos + 1, close - m_pos - 1));
            m_pos = close + 1;
            if (name == L"text")
                field.label = value;
            else if (name == L"type")
                field.type = value;
            else if (name == L"propid") {
                propId = value;
                hasPropId = true;
            }
        }
    }

    bool startsWith(const wchar_t* s) const { return m_xml.compare(m_pos, std::wcslen(s), s) == 0; }

    bool skipPast(const wchar_t* end, std::size_t openLength)
    {
        const std::size_t at = m_xml.find(end, m_pos + openLength);
        if (at == std::wstring::npos)
            return false;
        m_pos = at + std::wcslen(end);
        return true;
    }

    std::wstring readName()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_xml.size() && isNameChar(m_xml[m_pos]))
            ++m_pos;
        return m_xml.substr(start, m_pos - start);
    }

    void skipSpace()
    {
        while (m_pos < m_xml.size() && isXmlSpace(m_xml[m_pos]))
            ++m_pos;
    }

    bool expect(wchar_t c)
    {
        if (m_pos < m_xml.size() && m_xml[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    const std::wstring& m_xml;
    std::size_t m_pos = 0;
};

} // namespace

void MemoryPropertyListView::GetPropertyValue(int propId, Plugin::IString* value)
{
    if (!value)
        return;
    const PropertyField* field = find(propId);
    value->assign(field ? field->value.c_str() : L"");
}

void MemoryPropertyListView::LoadFromXml(const wchar_t* xml)
{
    m_xml = xml ? xml : L"";
    std::vector<PropertyField> fields;
    if (!CEditorDescriptionReader(m_xml).read(fields))
        fields.clear();
    m_fields = std::move(fields);
}

void MemoryPropertyListView::SetPropertyValue(int propId, const wchar_t* value)
{
    if (PropertyField* field = find(propId))
        field->value = value ? value : L"";
}

bool MemoryPropertyListView::edit(int propId, const std::wstring& value)
{
    PropertyField* field = find(propId);
    if (!field)
        return false;
    field->value = value;
    return true;
}

PropertyField* MemoryPropertyListView::find(int propId)
{
    for (auto& field : m_fields)
        if (field.propId == propId)
            return &field;
    return nullptr;
}

PropertyEditSession::PropertyEditSession(Plugin::IPropertyListViewController* controller)
    : m_controller(controller)
{
    if (m_controller)
        m_controller->OnPropertyListViewInit(&m_view);
    for (const auto& field : m_view.fields())
        m_initial.emplace(field.propId, field.value);
}

bool PropertyEditSession::edit(int propId, const std::wstring& value)
{
    if (!m_view.edit(propId, value))
        return false;
    markEdited(propId);
    return true;
}

void PropertyEditSession::markEdited(int propId)
{
    for (int id : m_edited)
        if (id == propId)
            return;
    m_edited.push_back(propId);
}

bool PropertyEditSession::ok()
{
    if (!m_controller)
        return false;
    // Fields changed through view() directly count as edited too.
    for (const auto& field : m_view.fields()) {
        const auto it = m_initial.find(field.propId);
        if (it == m_initial.end() || it->second != field.value)
            markEdited(field.propId);
    }
    for (int id : m_edited)
        if (!m_controller->OnNewPropertyValueValidate(id))
            return false;
    if (!m_controller->OnAllPropertiesValidate())
        return false;
    m_controller->OnPropertyListViewOK();
    m_edited.clear();
    m_initial.clear();
    for (const auto& field : m_view.fields())
        m_initial.emplace(field.propId, field.value);
    return true;
}

void PropertyEditSession::cancel()
{
    if (m_controller)
        m_controller->OnPropertyListViewCancel();
}

} // namespace host
