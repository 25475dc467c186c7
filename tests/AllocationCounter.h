#pragma once

namespace tessaline
{
    /** The number of heap allocations made in this process so far: through
        operator new, malloc, calloc, realloc, aligned_alloc, memalign and
        posix_memalign. Linking the counter replaces those functions (or, under
        AddressSanitizer, installs the sanitizer's allocation hook). */
    long allocationCount() noexcept;

    /** The same, counting only the calling thread's allocations: what a call
        made on this thread allocated, whatever other threads do meanwhile. */
    long allocationCountOnThisThread() noexcept;
}
