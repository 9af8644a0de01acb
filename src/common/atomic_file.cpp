#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vx {
namespace {

std::string ErrnoText(int err) { return err ? std::strerror(err) : "unknown error"; }

mode_t NewFileMode() {
    // umask can only be read by setting it; restore at once.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int FileOps::MakeTemp(std::string& pathTemplate) {
    return ::mkostemp(pathTemplate.data(), O_CLOEXEC);
}
long FileOps::Write(int fd, const char* data, size_t size) { return ::write(fd, data, size); }
int FileOps::Sync(int fd) { return ::fsync(fd); }
int FileOps::Close(int fd) { return ::close(fd); }
int FileOps::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}
int FileOps::Unlink(const std::string& path) { return ::unlink(path.c_str()); }

FileOps& SystemFileOps() {
    static FileOps ops;
    return ops;
}

FileWriteError::FileWriteError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

AtomicFile::AtomicFile(const std::string& path, FileOps& ops)
    : ops_(ops), path_(path), target_(path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) target_ = resolved.string();
    }
    const fs::path tp(target_);
    const std::string base = tp.filename().string();
    if (base.empty()) throw FileWriteError(path_, "not a file name");
    dir_ = tp.has_parent_path() ? tp.parent_path().string() : ".";

    tmp_ = dir_ + "/." + base + ".XXXXXX";
    fd_ = ops_.MakeTemp(tmp_);
    if (fd_ < 0) throw FileWriteError(path_, ErrnoText(errno));

    struct stat st {};
    const mode_t mode = ::stat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                            ? st.st_mode & 07777
                            : NewFileMode();
    (void)::fchmod(fd_, mode);  // mkstemp makes 0600
}

AtomicFile::~AtomicFile() {
    if (done_) return;
    if (fd_ >= 0) ops_.Close(fd_);
    ops_.Unlink(tmp_);
}

void AtomicFile::Fail(int err) {
    if (fd_ >= 0) ops_.Close(fd_);
    fd_ = -1;
    ops_.Unlink(tmp_);
    done_ = true;
    throw FileWriteError(path_, ErrnoText(err));
}

void AtomicFile::Write(std::string_view bytes) {
    if (done_ || fd_ < 0) throw FileWriteError(path_, "written after the end");
    size_t at = 0;
    while (at < bytes.size()) {
        const long r = ops_.Write(fd_, bytes.data() + at, bytes.size() - at);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) Fail(errno);
        if (r == 0) Fail(ENOSPC);
        at += static_cast<size_t>(r);
    }
}

void AtomicFile::Commit() {
    if (done_ || fd_ < 0) throw FileWriteError(path_, "written after the end");
    if (ops_.Sync(fd_) != 0) Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (ops_.Close(fd) != 0) Fail(errno);
    if (ops_.Rename(tmp_, target_) != 0) Fail(errno);
    done_ = true;
    // Make the rename itself durable; the new file is in place either way.
    const int dfd = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, FileOps& ops) {
    AtomicFile f(path, ops);
    f.Write(bytes);
    f.Commit();
}

}  // namespace vx
