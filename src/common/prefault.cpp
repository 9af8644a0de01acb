#include "common/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

// Linux 5.14 and later; older headers lack the name, older kernels refuse it.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace vx {

void PrefaultForWrite(const void* p, size_t bytes) {
    // Below this one call saves too little to be worth it.
    constexpr size_t kWorthIt = size_t{1} << 20;
    if (!p || bytes < kWorthIt) return;
    static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);  // a hint
}

}  // namespace vx
