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
// Well-formed UTF-8 sequences kept, every other byte replaced by U+FFFD.
std::string ToValidUtf8(std::string_view s);
bool HasNonAscii(std::string_view s);

enum class TextEncoding { Cp932, Utf8Bom, Utf16LE, Utf16BE, Utf8 };

// How a file's bytes are to be read: a byte-order mark decides; without one,
// bytes that are valid UTF-8 and hold non-ASCII text are UTF-8; else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

// A file's bytes as CP932 text, byte-order mark removed.
std::string DecodeToCp932(std::string_view bytes);
// Same, in place: leaves plain CP932 and ASCII untouched without copying.
void DecodeToCp932InPlace(std::string& bytes);

}  // namespace vx
