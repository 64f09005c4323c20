// Plug-in-owned implementations of the host's string and byte-array interfaces.
#pragma once

#include <gnssimport/BaseTypes.h>

#include <string>
#include <vector>

namespace Plugin {

class StringImpl : public IString {
public:
    StringImpl() = default;
    explicit StringImpl(const wchar_t* s) : m_data(s ? s : L"") {}
    explicit StringImpl(std::wstring s) : m_data(std::move(s)) {}

    const wchar_t* c_str() const override { return m_data.c_str(); }
    wchar_t* data() override { return &m_data[0]; }
    bool empty() const override { return m_data.empty(); }
    int size() const override { return static_cast<int>(m_data.size()); }
    void resize(int n) override { m_data.resize(n > 0 ? static_cast<size_t>(n) : 0, L'\0'); }
    void assign(const wchar_t* s) override { m_data.assign(s ? s : L""); }

    const std::wstring& string() const { return m_data; }

private:
    std::wstring m_data;
};

class ByteArrayImpl : public IByteArray {
public:
    ByteArrayImpl() = default;

    char* data() override { return m_data.data(); }
    bool empty() const override { return m_data.empty(); }
    int size() const override { return static_cast<int>(m_data.size()); }
    void resize(int n) override { m_data.resize(n > 0 ? static_cast<size_t>(n) : 0, '\0'); }
    void assign(const char* p, int n) override
    {
        if (p && n > 0)
            m_data.assign(p, p + n);
        else
            m_data.clear();
    }

private:
    std::vector<char> m_data;
};

} // namespace Plugin
