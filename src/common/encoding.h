#pragma once
// Text encodings at the edges of the program. Inside, text is CP932 bytes
// (Shift-JIS as Windows writes it); Qt shows UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Characters with no CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);
// Invalid CP932 sequences become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-16 code units (little- or big-endian bytes; an odd last byte is dropped) to CP932.
std::string Utf16ToCp932(std::string_view bytes, bool bigEndian);

// Converts between any two iconv encodings; nullopt when the converter is
// missing or any part of `in` cannot be converted.
std::optional<std::string> ConvertStrict(const char* to, const char* from, std::string_view in);

// Whether the C library can convert CP932 to and from UTF-8 and UTF-16. Without
// it, text passes through unconverted: Japanese headers are not recognised
// and UTF-16 files cannot be read.
bool Cp932Available();

// What the program says, once, when Cp932Available() is false.
inline constexpr const char* kCp932MissingText =
    "This system cannot convert CP932 (Shift-JIS) text: the C library's character-set "
    "converters (gconv modules) are missing. Japanese headers are not recognised and "
    "UTF-8 or UTF-16 files are not read correctly.";

// Length of the well-formed UTF-8 sequence at s[i] (1 for ASCII), 0 when
// there is none (overlong forms, surrogates and values past U+10FFFF are not
// UTF-8). i < s.size().
size_t Utf8SequenceLength(std::string_view s, size_t i);
bool IsValidUtf8(std::string_view s);
bool HasNonAscii(std::string_view s);
// `s` with every byte that is not part of a well-formed UTF-8 sequence
// replaced by U+FFFD, one for each such byte.
std::string ToValidUtf8(std::string_view s);

enum class TextEncoding { Cp932, Utf8Bom, Utf16LE, Utf16BE, Utf8 };

// How a file's bytes are to be read: a byte-order mark decides; without one,
// bytes that are valid UTF-8 and hold non-ASCII text are UTF-8; else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

// A file's bytes as CP932 text, byte-order mark removed.
std::string DecodeToCp932(std::string_view bytes);
// Same, in place: leaves plain CP932 and ASCII untouched without copying.
void DecodeToCp932InPlace(std::string& bytes);

}  // namespace vx
