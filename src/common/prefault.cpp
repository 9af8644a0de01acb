#include "common/prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

// Linux 5.14 and later; older headers lack the name, older kernels refuse it.
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif

namespace vx {

namespace {

// Below this one call saves too little to be worth it.
constexpr size_t kWorthIt = size_t{1} << 20;
constexpr uintptr_t kLargePage = uintptr_t{2} << 20;

// madvise on the blocks of `align` bytes wholly inside [p, p + bytes).
void AdviseInside(const void* p, size_t bytes, uintptr_t align, int advice) {
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + align - 1) & ~(align - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(align - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);  // a hint
}

}  // namespace

void AdviseLargePages(const void* p, size_t bytes) {
#ifdef MADV_HUGEPAGE
    if (p && bytes >= kLargePage) AdviseInside(p, bytes, kLargePage, MADV_HUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void AdviseSmallPages(const void* p, size_t bytes) {
#ifdef MADV_NOHUGEPAGE
    if (p && bytes >= kLargePage) AdviseInside(p, bytes, kLargePage, MADV_NOHUGEPAGE);
#else
    (void)p;
    (void)bytes;
#endif
}

void PrefaultForWrite(const void* p, size_t bytes) {
    if (!p || bytes < kWorthIt) return;
    static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    AdviseInside(p, bytes, page, MADV_POPULATE_WRITE);
}

}  // namespace vx
