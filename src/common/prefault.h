#pragma once
// Asking the system for a range of fresh memory in one go. A buffer of tens of
// megabytes otherwise costs one page fault per 4 KB as it is first written,
// and on a virtual machine those faults cost more than the writing; even
// pages made resident ahead cost the host a fault each on first touch, so
// large buffers ask for 2 MB pages as well, 512 times fewer.
#include <cstddef>

namespace vx {

// Asks for 2 MB pages for the whole 2 MB blocks inside [p, p + bytes), before
// any of it is touched: pages already resident stay as they are. Only a hint.
void AdviseLargePages(const void* p, size_t bytes);

// Takes back AdviseLargePages for the same range, before the buffer is
// freed: the allocator keeps freed memory for reuse, and 2 MB pages there
// would serve the small allocations that later fill its place, each
// resident whole.
void AdviseSmallPages(const void* p, size_t bytes);

// Makes the whole pages inside [p, p + bytes) resident and writable now.
// Only a hint: nothing happens for small ranges, or where the system cannot.
void PrefaultForWrite(const void* p, size_t bytes);

}  // namespace vx
