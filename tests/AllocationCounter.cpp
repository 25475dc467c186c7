#include "AllocationCounter.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

// Counts every heap allocation of the process: operator new, and the C
// allocator that JUCE's containers (HeapBlock: malloc, calloc, realloc) and
// aligned allocations use. Under AddressSanitizer the sanitizer owns the
// allocator, and its allocation hook does the counting instead.

#if defined (__has_feature)
 #if __has_feature (address_sanitizer)
  #define TESSALINE_COUNT_WITH_SANITIZER_HOOK 1
 #endif
#endif
#if defined (__SANITIZE_ADDRESS__)
 #define TESSALINE_COUNT_WITH_SANITIZER_HOOK 1
#endif

namespace
{
    std::atomic<long> allocations { 0 };
    thread_local long allocationsOnThisThread = 0;

    inline void count() noexcept
    {
        allocations.fetch_add (1, std::memory_order_relaxed);
        ++allocationsOnThisThread;
    }
}

long tessaline::allocationCountOnThisThread() noexcept
{
    return allocationsOnThisThread;
}

long tessaline::allocationCount() noexcept
{
    return allocations.load (std::memory_order_relaxed);
}

#if TESSALINE_COUNT_WITH_SANITIZER_HOOK

extern "C" int __sanitizer_install_malloc_and_free_hooks (void (*) (const volatile void*, std::size_t),
                                                          void (*) (const volatile void*));

namespace
{
    void onMalloc (const volatile void*, std::size_t) { count(); }
    void onFree (const volatile void*) {}

    const int hooksInstalled = __sanitizer_install_malloc_and_free_hooks (onMalloc, onFree);
}

#else

// glibc's own entry points, which the replacements below forward to.
extern "C"
{
    void* __libc_malloc (std::size_t);
    void* __libc_calloc (std::size_t, std::size_t);
    void* __libc_realloc (void*, std::size_t);
    void* __libc_memalign (std::size_t, std::size_t);
    void  __libc_free (void*);

    void* malloc (std::size_t size)
    {
        count();
        return __libc_malloc (size);
    }

    void* calloc (std::size_t n, std::size_t size)
    {
        count();
        return __libc_calloc (n, size);
    }

    void* realloc (void* p, std::size_t size)
    {
        count();
        return __libc_realloc (p, size);
    }

    void* memalign (std::size_t alignment, std::size_t size)
    {
        count();
        return __libc_memalign (alignment, size);
    }

    void* aligned_alloc (std::size_t alignment, std::size_t size)
    {
        count();
        return __libc_memalign (alignment, size);
    }

    int posix_memalign (void** result, std::size_t alignment, std::size_t size)
    {
        if (alignment < sizeof (void*) || (alignment & (alignment - 1)) != 0)
            return EINVAL;

        count();
        void* p = __libc_memalign (alignment, size);

        if (p == nullptr)
            return ENOMEM;

        *result = p;
        return 0;
    }

    void free (void* p)
    {
        __libc_free (p);
    }
}

// operator new goes through the counted malloc.
void* operator new (std::size_t size)
{
    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void operator delete (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }

#endif
