#pragma once

namespace tessaline
{
    /** The number of heap allocations made through operator new in this process
        so far. Linking the counter replaces the global operator new and delete. */
    long allocationCount() noexcept;
}
