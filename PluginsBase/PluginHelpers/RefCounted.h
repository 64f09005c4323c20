// Atomic reference counting for plug-in objects and boost::intrusive_ptr
// support for host objects.
#pragma once

#include <gnssimport/BaseTypes.h>

#include <atomic>

namespace Plugin {
namespace Detail {

class CAtomicCount {
public:
    explicit CAtomicCount(long value = 0) : m_value(value) {}
    CAtomicCount(const CAtomicCount&) = delete;
    CAtomicCount& operator=(const CAtomicCount&) = delete;

    long operator++() { return m_value.fetch_add(1, std::memory_order_relaxed) + 1; }
    long operator--() { return m_value.fetch_sub(1, std::memory_order_acq_rel) - 1; }
    operator long() const { return m_value.load(std::memory_order_acquire); }

private:
    std::atomic<long> m_value;
};

template <bool ThreadSafe>
class CRefCountedBase;

template <>
class CRefCountedBase<true> {
protected:
    CAtomicCount m_count{0};
};

} // namespace Detail

// Implements AddRef/Release of interface I; the object deletes itself when
// the count drops to zero.
template <class I, bool ThreadSafe = true>
class CRefCountedImpl : public I, public Detail::CRefCountedBase<ThreadSafe> {
public:
    void AddRef() override { ++this->m_count; }
    bool Release() override
    {
        if (--this->m_count == 0) {
            delete this;
            return true;
        }
        return false;
    }
    long RefCount() const { return this->m_count; }

protected:
    CRefCountedImpl() = default;
    virtual ~CRefCountedImpl() = default;
};

inline void intrusive_ptr_add_ref(IRefCounted* p) { p->AddRef(); }
inline void intrusive_ptr_release(IRefCounted* p) { p->Release(); }

} // namespace Plugin
