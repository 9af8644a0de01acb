#pragma once
// Shared pieces of the fuzz targets: a scratch file that holds the current
// input for the code that reads files, and a check that stops the run with a
// crash report when a property does not hold.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#define VX_FUZZ_CHECK(cond)                                                               \
    do {                                                                                  \
        if (!(cond)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace vx::fuzz {

// A private folder under the temp folder, made once per process and removed at
// a normal exit. Files in it are rewritten for every input, so a run creates
// no more than a few files however many inputs it tries.
class ScratchFolder {
  public:
    static ScratchFolder& Get() {
        static ScratchFolder folder;
        return folder;
    }
    // Writes `bytes` to the file `name` of the folder; returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        std::string path = path_ + "/" + name;
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) Fail("cannot write", path);
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t r = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (r <= 0) Fail("cannot write", path);
            done += static_cast<size_t>(r);
        }
        ::close(fd);
        return path;
    }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }

  private:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vx-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) Fail("cannot make a folder like", pattern);
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    [[noreturn]] static void Fail(const char* what, const std::string& path) {
        // The harness itself broke, not the code under test: stop loudly.
        std::fprintf(stderr, "fuzz harness: %s %s\n", what, path.c_str());
        std::abort();
    }
    std::string path_;
};

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace vx::fuzz
