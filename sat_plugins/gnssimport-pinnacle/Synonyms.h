// The synonym block of a file: synonym to long name. Looked up twice for
// every baseline of a large network, so a lookup first asks a bit array
// small enough to stay in the fastest cache whether the name can be a
// synonym at all (most names are none), then one flat array of small slots.
// A synonym of up to eight characters below U+0100 (Pinnacle's names are
// eight characters long) is held in its slot itself, so that finding it
// reads one cache line outside the filter; a longer one is compared with the
// character pool, where every synonym and its long name stand side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CSynonyms {
public:
    // A synonym given again takes the later long name.
    void Set(const std::wstring& synonym, const std::wstring& longName);
    // The long name of name (NUL-terminated, valid until the next Set), or
    // null when name is no synonym.
    const wchar_t* Find(const std::wstring& name) const;

private:
    // A name as a slot holds it: its characters packed one to a byte when
    // it has at most eight, all below U+0100, else its hash.
    struct Key {
        std::uint64_t packed = 0;
        std::uint32_t length = 0; // with s_inline set for a packed name
        std::uint64_t hash = 0;
    };
    struct Slot {
        std::uint64_t packed = 0;
        std::uint32_t length = 0;
        std::uint32_t record = 0; // offset of the record in m_pool plus one; 0 for a free slot
    };
    static const std::uint32_t s_inline = 0x80000000u;

    static Key MakeKey(const wchar_t* text, std::size_t length);
    // The slot holding key, or the free slot where it belongs.
    std::size_t Probe(const Key& key, const wchar_t* name) const;
    void Grow();
    // The filter bit of a hash, from other bits than those that pick a slot.
    std::size_t FilterBit(std::uint64_t hash) const
    {
        return static_cast<std::size_t>(hash >> 40 ^ hash >> 20) & (m_filter.size() * 64 - 1);
    }

    // Records: the synonym's length, its characters, the long name and a NUL.
    std::vector<wchar_t> m_pool;
    std::size_t m_count = 0;
    std::vector<Slot> m_slots;           // a power of two in size, at most three quarters full
    std::vector<std::uint64_t> m_filter; // a bit set for every synonym's hash
};
