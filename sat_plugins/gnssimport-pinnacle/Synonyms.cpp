#include "Synonyms.h"

#include <functional>

std::size_t CSynonyms::Probe(const std::wstring& name, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.entry == 0 || (slot.hash == hash && m_entries[slot.entry - 1].first == name))
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
        if (slot.entry == 0)
            continue;
        m_slots[Probe(m_entries[slot.entry - 1].first, slot.hash)] = slot;
        const std::size_t bit = FilterBit(slot.hash);
        m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
}

void CSynonyms::Set(std::wstring synonym, std::wstring longName)
{
    if ((m_entries.size() + 1) * 2 > m_slots.size())
        Grow();
    const std::size_t hash = std::hash<std::wstring>()(synonym);
    Slot& slot = m_slots[Probe(synonym, hash)];
    if (slot.entry != 0) {
        m_entries[slot.entry - 1].second = std::move(longName);
        return;
    }
    m_entries.emplace_back(std::move(synonym), std::move(longName));
    slot.hash = hash;
    slot.entry = static_cast<std::uint32_t>(m_entries.size());
    const std::size_t bit = FilterBit(hash);
    m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
}

const std::wstring* CSynonyms::Find(const std::wstring& name) const
{
    if (m_entries.empty())
        return nullptr;
    const std::size_t hash = std::hash<std::wstring>()(name);
    const std::size_t bit = FilterBit(hash);
    if (!(m_filter[bit / 64] >> bit % 64 & 1))
        return nullptr;
    const Slot& slot = m_slots[Probe(name, hash)];
    return slot.entry != 0 ? &m_entries[slot.entry - 1].second : nullptr;
}
