// The synonym block of a file: synonym to long name. Looked up twice for
// every baseline of a large network, so a lookup first asks a bit array
// small enough to stay in the fastest cache whether the name can be a
// synonym at all (most names are none), then one flat array of hashes, and
// touches a stored name only when its hash matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CSynonyms {
public:
    // A synonym given again takes the later long name.
    void Set(std::wstring synonym, std::wstring longName);
    // The long name of name, or null when name is no synonym.
    const std::wstring* Find(const std::wstring& name) const;

private:
    struct Slot {
        std::size_t hash = 0;
        std::uint32_t entry = 0; // index into m_entries plus one; 0 for a free slot
    };
    // The slot holding name, or the free slot where it belongs.
    std::size_t Probe(const std::wstring& name, std::size_t hash) const;
    void Grow();
    // The filter bit of a hash, from other bits than those that pick a slot.
    std::size_t FilterBit(std::size_t hash) const { return (hash >> 32 ^ hash >> 7) & (m_filter.size() * 64 - 1); }

    std::vector<std::pair<std::wstring, std::wstring>> m_entries;
    std::vector<Slot> m_slots;           // a power of two in size, at most half full
    std::vector<std::uint64_t> m_filter; // a bit set for every synonym's hash
};
