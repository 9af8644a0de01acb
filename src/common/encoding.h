#pragma once
// Text encodings at the edges of the program. Inside, text is CP932 bytes
// (Shift-JIS as Windows writes it); Qt shows UTF-8.
#include <string>
#include <string_view>

namespace vx {

// Characters with no CP932 form become '?'.
std::string Utf8ToCp932(std::string_view utf8);
// Invalid CP932 sequences become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-16 code units (little- or big-endian bytes; an odd last byte is dropped) to CP932.
std::string Utf16ToCp932(std::string_view bytes, bool bigEndian);

bool IsValidUtf8(std::string_view s);
bool HasNonAscii(std::string_view s);
// Length of the well-formed UTF-8 sequence that starts at s[i]; 0 when none
// does (overlong forms, surrogates, values past U+10FFFF, cut-short sequences).
size_t Utf8SequenceLength(std::string_view s, size_t i);
// `s` with every byte that is not part of a well-formed UTF-8 sequence
// replaced by U+FFFD, one for each such byte.
std::string ToValidUtf8(std::string_view s);

// Whether the converters between CP932 and UTF-8/UTF-16 exist (glibc's iconv
// modules). Without them the conversions above hand their input back as it is.
bool Cp932Available();
// One line for the user when Cp932Available() is false.
inline constexpr char kCp932MissingWarning[] =
    "no CP932 text converter (iconv): text is not converted, Japanese headers may not be "
    "recognised and UTF-16 files are read as if they were Shift-JIS";

enum class TextEncoding { Cp932, Utf8Bom, Utf16LE, Utf16BE, Utf8 };

// How a file's bytes are to be read: a byte-order mark decides; without one,
// bytes that are valid UTF-8 and hold non-ASCII text are UTF-8; else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

// A file's bytes as CP932 text, byte-order mark removed.
std::string DecodeToCp932(std::string_view bytes);
// Same, in place: leaves plain CP932 and ASCII untouched without copying.
void DecodeToCp932InPlace(std::string& bytes);

}  // namespace vx
