#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
    std::atomic<long> allocations { 0 };
    thread_local long allocationsOnThisThread = 0;
}

long tessaline::allocationCountOnThisThread() noexcept
{
    return allocationsOnThisThread;
}

long tessaline::allocationCount() noexcept
{
    return allocations.load (std::memory_order_relaxed);
}

void* operator new (std::size_t size)
{
    allocations.fetch_add (1, std::memory_order_relaxed);
    ++allocationsOnThisThread;

    if (void* p = std::malloc (size == 0 ? 1 : size))
        return p;

    throw std::bad_alloc();
}

void operator delete (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
