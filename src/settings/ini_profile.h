#pragma once
// INI profile access with the Windows profile-string rules: section and key
// names match without regard to ASCII letter case, values are trimmed and lose
// one pair of enclosing quotes, a write changes only the line it concerns.
// Texts given and returned are CP932 bytes; the file itself may be CP932,
// UTF-8 (with or without byte-order mark) or UTF-16 with a byte-order mark.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/atomic_file.h"

namespace vx {

// A settings file could not be written. what() is the UTF-8 text
// "<path> に書き込めません", followed on a second line by the system's reason
// when there is one.
class SettingsWriteError : public std::runtime_error {
  public:
    explicit SettingsWriteError(const std::string& path, const std::string& reason = {});
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string path_;
    std::string reason_;
};

class IniFile {
  public:
    // A missing file gives an empty profile. A file that exists but cannot be
    // read also reads as empty, and refuses to be saved over.
    static IniFile Load(const std::string& path);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes as they would be saved.
    std::string Text() const;
    bool ReadFailed() const { return readFailed_; }

    // Replaces `path` atomically: the old file stays whole unless the new one
    // is complete. Throws SettingsWriteError.
    void SaveAtomically(const std::string& path) const { SaveAtomically(path, SystemFileOps()); }
    void SaveAtomically(const std::string& path, FileOps& ops) const;

    enum class Encoding { Cp932, Utf8, Utf16LE, Utf16BE };
    Encoding FileEncoding() const { return encoding_; }

  private:
    std::string ToFile(std::string_view cp932) const;
    std::optional<std::string> Encoded() const;
    std::string LineEnd() const;

    std::string bom_;   // byte-order mark as found, written back unchanged
    std::string text_;  // the file after the mark; UTF-16 files held as UTF-8
    Encoding encoding_ = Encoding::Cp932;
    bool readFailed_ = false;
    std::string readError_;  // why, when readFailed_
};

// The longest value a read returns, in characters.
inline constexpr size_t kMaxProfileValue = 2047;

std::string GetPrivateProfileString(const std::string& path, std::string_view section,
                                    std::string_view key, std::string_view defaultValue);
// Throws SettingsWriteError.
void WritePrivateProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value);

}  // namespace vx
