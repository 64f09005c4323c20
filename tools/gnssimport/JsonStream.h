// JSON written as it is produced: containers opened and closed one by one,
// scalars formatted straight into the output, indented as nlohmann::json
// would dump the whole document, so that no tree of the result is held.
#pragma once

#include "OutputBuffer.h"

#include <nlohmann/json.hpp>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace cli {

class JsonStream {
public:
    using json = nlohmann::ordered_json;

    explicit JsonStream(OutputBuffer& out) : m_out(out) {}

    void beginObject() { begin('{'); }
    void endObject() { end('}'); }
    void beginArray() { begin('['); }
    void endArray() { end(']'); }
    // The name of the next member of the current object.
    void key(std::string_view name);

    // A whole value: an array element, or the member named by key().
    void value(std::nullptr_t) { scalar("null"); }
    void value(bool v) { scalar(v ? "true" : "false"); }
    void value(double v);
    template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    void value(T v)
    {
        nextItem();
        m_out.integer(static_cast<long long>(v));
    }
    // A UTF-8 string.
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(const std::string& text) { value(std::string_view(text)); }
    void value(const std::wstring& text);
    template <typename T, std::size_t N>
    void value(const std::array<T, N>& items)
    {
        beginArray();
        for (const auto& item : items)
            value(item);
        endArray();
    }
    // null when empty.
    template <typename T>
    void value(const std::optional<T>& v)
    {
        if (v)
            value(*v);
        else
            value(nullptr);
    }
    // Small composite values built as a tree.
    void value(const json& v);

    template <typename T>
    void member(std::string_view name, const T& v)
    {
        key(name);
        value(v);
    }

private:
    void begin(char bracket);
    void end(char bracket);
    void nextItem(); // separator and indentation before an element or member
    void indent(std::size_t depth);
    void scalar(std::string_view text)
    {
        nextItem();
        m_out << text;
    }
    void quoted(std::string_view utf8);

    OutputBuffer& m_out;
    std::vector<bool> m_empty; // per open container: nothing written in it yet
    bool m_afterKey = false;
};

} // namespace cli
