#pragma once

namespace tessaline
{
    /** The number of heap allocations made through operator new in this process
        so far. Linking the counter replaces the global operator new and delete. */
    long allocationCount() noexcept;

    /** The same, counting only the calling thread's allocations: what a call
        made on this thread allocated, whatever other threads do meanwhile. */
    long allocationCountOnThisThread() noexcept;
}
