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

// Gives every buffer of 1 MB or more memory of its own from the system,
// returned to it when freed. Otherwise the allocator keeps freed buffers
// for reuse, and the 2 MB pages asked for one buffer go on serving the
// small allocations that later fill its place, each resident whole. Called
// once at start, before any thread is made.
void KeepLargeBuffersApart();

// Makes the whole pages inside [p, p + bytes) resident and writable now.
// Only a hint: nothing happens for small ranges, or where the system cannot.
void PrefaultForWrite(const void* p, size_t bytes);

}  // namespace vx
