#pragma once
// Low-level pieces the wave-file readers share: opening only regular files,
// reads into a ByteBuffer's spare room, and finding line breaks fast.
#include <sys/types.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/byte_buffer.h"

namespace vx {

// Owns a descriptor for the length of one read.
class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Opens a regular file (a symlink to one counts) for reading; -1 for anything
// else. `size` gets the size it has now, only a hint: it may change while read.
int OpenRegularFile(const std::string& path, off_t* size);

// Reads into buf's spare room (up to its capacity). Returns the number of bytes
// read, 0 at the end of the file or when there is no room, -1 on a read error.
ssize_t ReadMore(int fd, ByteBuffer& buf);

// Reads the rest of the file onto the end of buf; false on a read error.
bool ReadToEnd(int fd, ByteBuffer& buf, size_t expected);

inline bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// Flags the zero bytes of v; the lowest flag is always a true zero byte.
inline constexpr uint64_t kByteOnes = 0x0101010101010101ull;
inline uint64_t ZeroBytes(uint64_t v) { return (v - kByteOnes) & ~v & (kByteOnes * 0x80); }

// Position of the first CR or LF in b[i, n), n when none. Eight bytes at a
// time: this loop is most of the cost of splitting a file into lines.
inline size_t FindLineBreak(const char* b, size_t i, size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= n; i += 8) {
            uint64_t w;
            std::memcpy(&w, b + i, 8);
            uint64_t m = ZeroBytes(w ^ (kByteOnes * '\n')) | ZeroBytes(w ^ (kByteOnes * '\r'));
            if (m) return i + static_cast<size_t>(std::countr_zero(m) >> 3);
        }
    }
    for (; i < n; ++i)
        if (IsLineBreak(b[i])) return i;
    return n;
}

}  // namespace vx
