#include "Synonyms.h"

#include <cwchar>
#include <stdexcept>

std::uint64_t CSynonyms::Hash(const wchar_t* text, std::size_t length)
{
    // FNV-1a over the characters, then mixed so that the low bits (the
    // slot) and the high bits (check and filter) all depend on every one.
    std::uint64_t h = 14695981039346656037ull ^ length;
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ static_cast<std::uint32_t>(text[i])) * 1099511628211ull;
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return h;
}

bool CSynonyms::Holds(const Slot& slot, const wchar_t* name, std::size_t length) const
{
    const wchar_t* record = m_pool.data() + (slot.record - 1);
    return static_cast<std::size_t>(record[0]) == length && std::wmemcmp(record + 1, name, length) == 0;
}

std::size_t CSynonyms::Probe(const wchar_t* name, std::size_t length, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t check = Check(hash);
    for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.record == 0 || (slot.check == check && Holds(slot, name, length)))
            return i;
    }
}

void CSynonyms::Grow()
{
    std::vector<Slot> slots(m_slots.empty() ? 64 : m_slots.size() * 2);
    m_slots.swap(slots);
    // Eight bits per slot: four times as many bits as synonyms at most.
    m_filter.assign(m_slots.size() / 8, 0);
    for (const Slot& slot : slots) {
        if (slot.record == 0)
            continue;
        const wchar_t* record = m_pool.data() + (slot.record - 1);
        const auto length = static_cast<std::size_t>(record[0]);
        const std::uint64_t hash = Hash(record + 1, length);
        m_slots[Probe(record + 1, length, hash)] = slot;
        const std::size_t bit = FilterBit(hash);
        m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
}

void CSynonyms::Set(const std::wstring& synonym, const std::wstring& longName)
{
    // A record's length and offset must fit their fields.
    const std::size_t recordSize = synonym.size() + longName.size() + 2;
    if (synonym.size() > 0x7FFFFFFF || m_pool.size() + recordSize > 0xFFFFFFFE)
        throw std::length_error("synonym block too large");
    if ((m_count + 1) * 2 > m_slots.size())
        Grow();
    const std::uint64_t hash = Hash(synonym.data(), synonym.size());
    Slot& slot = m_slots[Probe(synonym.data(), synonym.size(), hash)];
    if (slot.record == 0) {
        ++m_count;
        const std::size_t bit = FilterBit(hash);
        m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
    // A later long name is a new record; the slot moves to it.
    slot.check = Check(hash);
    slot.record = static_cast<std::uint32_t>(m_pool.size() + 1);
    m_pool.push_back(static_cast<wchar_t>(synonym.size()));
    m_pool.insert(m_pool.end(), synonym.begin(), synonym.end());
    m_pool.insert(m_pool.end(), longName.begin(), longName.end());
    m_pool.push_back(L'\0');
}

const wchar_t* CSynonyms::Find(const std::wstring& name) const
{
    if (m_count == 0)
        return nullptr;
    const std::uint64_t hash = Hash(name.data(), name.size());
    const std::size_t bit = FilterBit(hash);
    if (!(m_filter[bit / 64] >> bit % 64 & 1))
        return nullptr;
    const Slot& slot = m_slots[Probe(name.data(), name.size(), hash)];
    if (slot.record == 0)
        return nullptr;
    return m_pool.data() + (slot.record - 1) + 1 + name.size();
}
