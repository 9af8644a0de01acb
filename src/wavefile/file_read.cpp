#include "wavefile/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vx {

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

// Anything but a regular file is refused before it is opened; O_NONBLOCK keeps
// a FIFO swapped in meanwhile from blocking the open, and fstat then refuses it.
int OpenRegularFile(const std::string& path, off_t* size) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    *size = st.st_size;
    return fd;
}

ssize_t ReadMore(int fd, ByteBuffer& buf) {
    const size_t room = buf.capacity() - buf.size();
    if (room == 0) return 0;
    ssize_t r;
    do {
        r = ::read(fd, buf.data() + buf.size(), room);
    } while (r < 0 && errno == EINTR);
    if (r > 0) buf.resize(buf.size() + static_cast<size_t>(r));
    return r;
}

bool ReadToEnd(int fd, ByteBuffer& buf, size_t expected) {
    // One byte more than expected, so the end shows without growing the buffer.
    buf.reserve(buf.size() + expected + 1);
    for (;;) {
        if (buf.size() == buf.capacity()) buf.reserve(buf.capacity() * 2);
        ssize_t r = ReadMore(fd, buf);
        if (r < 0) return false;
        if (r == 0) return true;
    }
}

}  // namespace vx
