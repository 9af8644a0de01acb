#pragma once
// A byte buffer that grows without zero-filling: file reads overwrite the
// bytes anyway, and filling a buffer of tens of megabytes first costs as much
// as the read. The kPadding bytes after size() are always zero, so scans may
// read a machine word past the end of the data.
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace vx {

class ByteBuffer {
  public:
    static constexpr size_t kPadding = 16;

    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer& other) { append(other.view()); }
    ByteBuffer& operator=(const ByteBuffer& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    ByteBuffer(ByteBuffer&& other) noexcept { *this = std::move(other); }
    ByteBuffer& operator=(ByteBuffer&& other) noexcept {
        p_ = std::move(other.p_);
        size_ = std::exchange(other.size_, 0);
        cap_ = std::exchange(other.cap_, 0);
        return *this;
    }

    char* data() { return p_.get(); }
    const char* data() const { return p_.get(); }
    size_t size() const { return size_; }
    size_t capacity() const { return cap_; }
    bool empty() const { return size_ == 0; }
    std::string_view view() const { return {p_.get(), size_}; }

    // Room for n bytes in all, keeping the contents.
    void reserve(size_t n) {
        if (p_ && n <= cap_) return;
        auto q = std::make_unique_for_overwrite<char[]>(n + kPadding);
        if (size_) std::memcpy(q.get(), p_.get(), size_);
        std::memset(q.get() + size_, 0, kPadding);
        p_ = std::move(q);
        cap_ = n;
    }
    // Sets the size; n <= capacity(). Bytes past the old size are whatever a
    // read put there.
    void resize(size_t n) {
        if (!p_) return;  // nothing allocated: n is 0
        size_ = n;
        std::memset(p_.get() + size_, 0, kPadding);
    }
    void clear() { resize(0); }
    // `s` must not lie in this buffer: growing it would free the bytes.
    void append(std::string_view s) {
        if (!p_ || size_ + s.size() > cap_) reserve(std::max({size_ + s.size(), cap_ * 2, kMin}));
        if (!s.empty()) std::memcpy(p_.get() + size_, s.data(), s.size());
        resize(size_ + s.size());
    }
    void assign(std::string_view s) {
        clear();
        append(s);
    }

  private:
    static constexpr size_t kMin = 64;
    std::unique_ptr<char[]> p_;
    size_t size_ = 0, cap_ = 0;
};

}  // namespace vx
