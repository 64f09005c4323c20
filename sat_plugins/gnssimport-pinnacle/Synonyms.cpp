#include "Synonyms.h"

#include <cwchar>
#include <stdexcept>

namespace {

// Spreads every bit of x over the whole result.
std::uint64_t Mix(std::uint64_t x)
{
    x ^= x >> 29;
    x *= 0xbf58476d1ce4e5b9ull;
    x ^= x >> 32;
    x *= 0x94d049bb133111ebull;
    x ^= x >> 29;
    return x;
}

} // namespace

CSynonyms::Key CSynonyms::MakeKey(const wchar_t* text, std::size_t length)
{
    Key key;
    if (length <= 8) {
        // Packed first; the bits of all characters are gathered and
        // checked once, not after every character.
        std::uint32_t all = 0;
        std::uint64_t packed = 0;
        for (std::size_t i = 0; i < length; ++i) {
            const auto c = static_cast<std::uint32_t>(text[i]);
            all |= c;
            packed |= static_cast<std::uint64_t>(c & 0xFFu) << (8 * i);
        }
        if (all < 0x100) {
            key.packed = packed;
            key.length = static_cast<std::uint32_t>(length) | s_inline;
            key.hash = Mix(packed ^ length << 59);
            return key;
        }
    }
    // FNV-1a over the characters; the length is checked below its limit.
    std::uint64_t h = 14695981039346656037ull ^ length;
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ static_cast<std::uint32_t>(text[i])) * 1099511628211ull;
    key.hash = Mix(h);
    key.packed = key.hash;
    key.length = static_cast<std::uint32_t>(length);
    return key;
}

std::size_t CSynonyms::Probe(const Key& key, const wchar_t* name) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(key.hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.record == 0)
            return i;
        if (slot.packed != key.packed || slot.length != key.length)
            continue;
        // A packed name is the name itself; a hash must be confirmed.
        if (key.length & s_inline)
            return i;
        const wchar_t* record = m_pool.data() + (slot.record - 1);
        if (std::wmemcmp(record + 1, name, key.length) == 0)
            return i;
    }
}

void CSynonyms::Grow()
{
    std::vector<Slot> slots(m_slots.empty() ? 64 : m_slots.size() * 2);
    m_slots.swap(slots);
    // Sixteen bits per slot: more than twenty bits for every synonym.
    m_filter.assign(m_slots.size() / 4, 0);
    for (const Slot& slot : slots) {
        if (slot.record == 0)
            continue;
        const wchar_t* record = m_pool.data() + (slot.record - 1);
        const Key key = MakeKey(record + 1, static_cast<std::size_t>(record[0]));
        m_slots[Probe(key, record + 1)] = slot;
        const std::size_t bit = FilterBit(key.hash);
        m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
}

void CSynonyms::Set(const std::wstring& synonym, const std::wstring& longName)
{
    // A record's length and offset must fit their fields.
    const std::size_t recordSize = synonym.size() + longName.size() + 2;
    if (synonym.size() >= s_inline || m_pool.size() + recordSize > 0xFFFFFFFE)
        throw std::length_error("synonym block too large");
    if ((m_count + 1) * 4 > m_slots.size() * 3)
        Grow();
    const Key key = MakeKey(synonym.data(), synonym.size());
    Slot& slot = m_slots[Probe(key, synonym.data())];
    if (slot.record == 0) {
        ++m_count;
        const std::size_t bit = FilterBit(key.hash);
        m_filter[bit / 64] |= std::uint64_t(1) << bit % 64;
    }
    // A later long name is a new record; the slot moves to it.
    slot.packed = key.packed;
    slot.length = key.length;
    slot.record = static_cast<std::uint32_t>(m_pool.size() + 1);
    m_pool.push_back(static_cast<wchar_t>(synonym.size()));
    m_pool.insert(m_pool.end(), synonym.begin(), synonym.end());
    m_pool.insert(m_pool.end(), longName.begin(), longName.end());
    m_pool.push_back(L'\0');
}

const wchar_t* CSynonyms::Find(const std::wstring& name) const
{
    if (m_count == 0 || name.size() >= s_inline)
        return nullptr;
    const Key key = MakeKey(name.data(), name.size());
    const std::size_t bit = FilterBit(key.hash);
    if (!(m_filter[bit / 64] >> bit % 64 & 1))
        return nullptr;
    const Slot& slot = m_slots[Probe(key, name.data())];
    if (slot.record == 0)
        return nullptr;
    return m_pool.data() + (slot.record - 1) + 1 + name.size();
}
