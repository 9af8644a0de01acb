#pragma once
// The program's texts: every text under id N in Japanese and under N + 1000 in
// English. Kept as UTF-8 in the source; offered as CP932 bytes, the encoding
// in which header names and settings are compared.
#include <string>
#include <string_view>

namespace vx {

// CP932 bytes of text `id`; the empty text when the table has no such id.
const std::string& LoadStr(int id);

// The same text as UTF-8, for display.
std::string_view LoadStrUtf8(int id);

}  // namespace vx
