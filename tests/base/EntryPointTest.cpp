// The exported entry point when the plug-in object cannot be made: no
// exception leaves the C function, it returns null. The program's own
// operator new, which the plug-ins use too, fails on request.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <new>

namespace {

std::atomic<bool> g_failAllocations{false};

} // namespace

// malloc and free behind new and delete: GCC sees the pair as mismatched.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    if (!g_failAllocations)
        if (void* p = std::malloc(size ? size : 1))
            return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

TEST(EntryPoint, OutOfMemoryGivesNullAndNoException)
{
    for (const char* plugin : {"spectrum", "tgotbc", "lgo", "pinnacle", "topcon"}) {
        void* library = ::dlopen(test::pluginPath(plugin).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << plugin;
        auto create = reinterpret_cast<CreatePlugin2Func>(::dlsym(library, "CreatePlugin2"));
        ASSERT_NE(create, nullptr) << plugin;
        Plugin::IPlugin2* created = nullptr;
        bool threw = false;
        g_failAllocations = true;
        try {
            created = create();
        } catch (...) {
            threw = true;
        }
        g_failAllocations = false;
        EXPECT_FALSE(threw) << plugin;
        EXPECT_EQ(created, nullptr) << plugin;
        created = create();
        ASSERT_NE(created, nullptr) << plugin;
        created->Release();
        ::dlclose(library);
    }
}

} // namespace
