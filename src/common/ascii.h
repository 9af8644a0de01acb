#pragma once
// Byte tests shared by the readers. Text inside the program is CP932 bytes,
// so these look at bytes, never at the locale.
#include <string_view>

namespace vx {

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualNoCaseAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// Space and every control byte. CP932 trail bytes are never <= 0x20, so
// trimming these never cuts a double-byte character.
inline bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 0x20; }

inline std::string_view TrimBlank(std::string_view s) {
    while (!s.empty() && IsBlankByte(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlankByte(s.back())) s.remove_suffix(1);
    return s;
}

// First byte of a CP932 double-byte character.
inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Bytes of the CP932 character at s[i]: 2 for a lead byte with a byte after
// it, else 1.
inline size_t Cp932CharLength(std::string_view s, size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

}  // namespace vx
