// JSON written as it is produced: containers opened and closed one by one,
// records dumped as they come, indented as a dump of the whole document
// would be, so that no tree of the whole result is ever held.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace cli {

class JsonStream {
public:
    using json = nlohmann::ordered_json;

    explicit JsonStream(std::ostream& out) : m_out(out) {}

    void beginObject() { begin('{'); }
    void endObject() { end('}'); }
    void beginArray() { begin('['); }
    void endArray() { end(']'); }
    // The name of the next member of the current object.
    void key(const std::string& name);
    // A whole value: an array element, or the member named by key().
    void value(const json& v);
    // key(name), then value(v): a record written member by member costs far
    // less than one built as a tree and dumped.
    void member(const std::string& name, const json& v)
    {
        key(name);
        value(v);
    }

private:
    void begin(char bracket);
    void end(char bracket);
    void nextItem(); // separator and indentation before an element or member
    void indent(std::size_t depth);

    std::ostream& m_out;
    std::vector<bool> m_empty; // per open container: nothing written in it yet
    bool m_afterKey = false;
};

} // namespace cli
