#pragma once
// Temporary folders and byte-exact files for the wave-file tests.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/encoding.h"

namespace vx::test {

// A fresh folder under the system temp folder, removed with its contents.
class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vx-wave-XXXXXX").string();
        if (char* made = ::mkdtemp(pattern.data())) path_ = made;
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Writes `bytes` exactly as given; returns the full path.
    std::string Write(std::string_view name, std::string_view bytes) const {
        std::string full = *this / name;
        std::ofstream(full, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return full;
    }

  private:
    std::string path_;
};

// CP932 bytes of UTF-8 source text.
inline std::string Sj(std::string_view utf8) { return Utf8ToCp932(utf8); }

// UTF-16 bytes with a byte-order mark.
inline std::string Utf16WithBom(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : text) {
        char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

}  // namespace vx::test
