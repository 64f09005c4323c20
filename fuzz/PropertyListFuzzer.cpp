// The host's reader of editor descriptions on arbitrary text: it never
// crashes, and every field it finds can be written and read back by id.
#include <gnssimport/host/MemoryPropertyListView.h>
#include <gnssimport/text/Utf8.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
        std::abort();
    }
}

// A minimal IString for reading values back.
class CValue : public Plugin::IString {
public:
    const wchar_t* c_str() const override { return m_text.c_str(); }
    wchar_t* data() override { return &m_text[0]; }
    bool empty() const override { return m_text.empty(); }
    int size() const override { return static_cast<int>(m_text.size()); }
    void resize(int n) override { m_text.resize(static_cast<std::size_t>(n)); }
    void assign(const wchar_t* s) override { m_text = s; }
    std::wstring m_text;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring xml = text::fromUtf8(bytes, text::WideForm::Utf32, text::OnInvalid::Replace);
    host::MemoryPropertyListView view;
    view.LoadFromXml(xml.c_str());
    // The description crosses as a C string: what follows a NUL is not part of it.
    check(view.xml() == std::wstring(xml.c_str()), "description not kept");
    for (const auto& field : view.fields()) {
        check(!field.element.empty(), "field without an element name");
        const std::wstring value = L"v" + std::to_wstring(field.propId);
        view.SetPropertyValue(field.propId, value.c_str());
        CValue back;
        view.GetPropertyValue(field.propId, &back);
        check(back.m_text == value, "value not read back");
    }
    return 0;
}
