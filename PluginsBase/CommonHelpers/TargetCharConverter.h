// Turns the raw bytes of a line into wide text, through the host when it
// offers ISatImportTarget3 and through the process locale otherwise.
#pragma once

#include "../PluginHelpers/StringImpl.h"
#include <gnssimport/ImportTarget.h>
#include "strutils.h"

#include <climits>
#include <cstring>
#include <string>

namespace Plugin {

class ICharConverter {
public:
    virtual std::wstring convertString(const std::string& bytes) = 0;
    // The same for size bytes at data, into out, whose storage is reused
    // from line to line.
    virtual void convertInto(const char* data, std::size_t size, std::wstring& out)
    {
        out = convertString(std::string(data, size));
    }

protected:
    ~ICharConverter() = default;
};

template <class Target>
class TargetCharConverter : public ICharConverter {
public:
    explicit TargetCharConverter(Target* target = nullptr) : m_imp_target(target) {}

    void resetTarget(Target* target, const std::wstring& charset)
    {
        m_imp_target = target;
        m_charset = charset;
    }
    void setCharset(const std::wstring& charset) { m_charset = charset; }
    const std::wstring& getCharset() const { return m_charset; }

    std::wstring convertString(const std::string& bytes) override
    {
        std::wstring text;
        convertInto(bytes.data(), bytes.size(), text);
        return text;
    }

    void convertInto(const char* data, std::size_t size, std::wstring& out) override
    {
        if (!m_imp_target) {
            strutils::fromLocal8Bit(data, size, out);
            return;
        }
        // The host reports sizes as int: a longer line cannot cross to it.
        if (size > static_cast<std::size_t>(INT_MAX / sizeof(wchar_t))) {
            out.clear();
            return;
        }
        // One array serves every line, so that its buffer is allocated once.
        m_bytes.assign(data, static_cast<int>(size));
        if (m_imp_target->ConvertBytes(L"strconv", m_charset.c_str(), &m_bytes) != 0) {
            out.clear();
            return;
        }
        // out is overwritten whole: resizing without clearing it first fills
        // only what it grows by.
        const int bytes = m_bytes.size();
        out.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0) / sizeof(wchar_t));
        if (!out.empty())
            std::memcpy(&out[0], m_bytes.data(), out.size() * sizeof(wchar_t));
    }

private:
    Target* m_imp_target;
    std::wstring m_charset;
    ByteArrayImpl m_bytes;
};

} // namespace Plugin
