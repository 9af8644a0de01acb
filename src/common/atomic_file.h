#pragma once
// Files written whole or not at all: the bytes go to a temporary file beside
// the target, which is synced and then renamed over it. A failure at any step
// leaves the old file as it was and no temporary file behind.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vx {

// The file-system calls of a write, replaceable in tests. Each returns what
// the POSIX call of the same name returns (-1 and errno on failure).
class FileOps {
  public:
    virtual ~FileOps() = default;
    // mkstemp: replaces the trailing XXXXXX of `pathTemplate`.
    virtual int MakeTemp(std::string& pathTemplate);
    virtual long Write(int fd, const char* data, size_t size);
    virtual int Sync(int fd);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Unlink(const std::string& path);
};

FileOps& SystemFileOps();

// A write failed. Path() is the target; Reason() the system's text for the
// error (strerror), or a short text of ours where no call failed.
class FileWriteError : public std::runtime_error {
  public:
    FileWriteError(std::string path, std::string reason);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

// A file being written; Commit() puts it in place. Destroyed uncommitted, it
// removes its temporary file and the target stays untouched. A symbolic link
// as target: the file it points to is replaced, the link stays. An existing
// file keeps its permissions; a new one gets 0666 less the umask.
class AtomicFile {
  public:
    // Throws FileWriteError when no temporary file can be made.
    explicit AtomicFile(const std::string& path, FileOps& ops = SystemFileOps());
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Throws FileWriteError (the temporary file is then removed).
    void Write(std::string_view bytes);
    void Commit();

  private:
    [[noreturn]] void Fail(int err);

    FileOps& ops_;
    std::string path_;    // as given, for messages
    std::string target_;  // what is replaced
    std::string dir_;
    std::string tmp_;
    int fd_ = -1;
    bool done_ = false;
};

// Writes `bytes` as the whole new content of `path`. Throws FileWriteError.
void WriteFileAtomically(const std::string& path, std::string_view bytes,
                         FileOps& ops = SystemFileOps());

}  // namespace vx
