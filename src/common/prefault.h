#pragma once
// Asking the system for a range of fresh memory in one go. A buffer of tens of
// megabytes otherwise costs one page fault per 4 KB as it is first written,
// and on a virtual machine those faults cost more than the writing.
#include <cstddef>

namespace vx {

// Makes the whole pages inside [p, p + bytes) resident and writable now.
// Only a hint: nothing happens for small ranges, or where the system cannot.
void PrefaultForWrite(const void* p, size_t bytes);

}  // namespace vx
