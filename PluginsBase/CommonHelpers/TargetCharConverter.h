// Turns the raw bytes of a line into wide text, through the host when it
// offers ISatImportTarget3 and through the process locale otherwise.
#pragma once

#include "../PluginHelpers/StringImpl.h"
#include "../SDK/ImportTarget.h"
#include "strutils.h"

#include <climits>
#include <cstring>
#include <string>

namespace Plugin {

class ICharConverter {
public:
    virtual std::wstring convertString(const std::string& bytes) = 0;

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
        if (!m_imp_target)
            return strutils::fromLocal8Bit(bytes);
        // The host reports sizes as int: a longer line cannot cross to it.
        if (bytes.size() > static_cast<std::size_t>(INT_MAX / sizeof(wchar_t)))
            return std::wstring();
        ByteArrayImpl array;
        array.assign(bytes.data(), static_cast<int>(bytes.size()));
        if (m_imp_target->ConvertBytes(L"strconv", m_charset.c_str(), &array) != 0)
            return std::wstring();
        const int size = array.size();
        std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0) / sizeof(wchar_t), L'\0');
        if (!text.empty())
            std::memcpy(&text[0], array.data(), text.size() * sizeof(wchar_t));
        return text;
    }

private:
    Target* m_imp_target;
    std::wstring m_charset;
};

} // namespace Plugin
