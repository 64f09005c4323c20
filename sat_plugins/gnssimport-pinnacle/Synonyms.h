// The synonym block of a file: synonym to long name. Looked up twice for
// every baseline of a large network, so a lookup first asks a bit array
// small enough to stay in the fastest cache whether the name can be a
// synonym at all (most names are none), then one flat array of small slots,
// and reads one record of the character pool, synonym and long name side by
// side, only when the slot's hash matches: a lookup touches two cache lines
// outside the filter, not one for each string.
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
    struct Slot {
        std::uint32_t check = 0;  // the hash bits that do not pick the slot
        std::uint32_t record = 0; // offset of the record in m_pool plus one; 0 for a free slot
    };
    static std::uint64_t Hash(const wchar_t* text, std::size_t length);
    static std::uint32_t Check(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
    // The slot holding name, or the free slot where it belongs.
    std::size_t Probe(const wchar_t* name, std::size_t length, std::uint64_t hash) const;
    bool Holds(const Slot& slot, const wchar_t* name, std::size_t length) const;
    void Grow();
    // The filter bit of a hash, from other bits than those that pick a slot.
    std::size_t FilterBit(std::uint64_t hash) const
    {
        return static_cast<std::size_t>(hash >> 40 ^ hash >> 20) & (m_filter.size() * 64 - 1);
    }

    // Records: the synonym's length, its characters, the long name and a NUL.
    std::vector<wchar_t> m_pool;
    std::size_t m_count = 0;
    std::vector<Slot> m_slots;           // a power of two in size, at most half full
    std::vector<std::uint64_t> m_filter; // a bit set for every synonym's hash
};
