// Reference counting for the host's own objects handed to plug-ins.
#pragma once

#include <atomic>

namespace host {

// Implements AddRef/Release of interface I; the object deletes itself when
// the count drops to zero. The count is atomic: a plug-in may release on
// another thread.
template <class I>
class RefCounted : public I {
public:
    void AddRef() override { m_count.fetch_add(1, std::memory_order_relaxed); }
    bool Release() override
    {
        if (m_count.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            delete this;
            return true;
        }
        return false;
    }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    std::atomic<long> m_count{0};
};

} // namespace host
