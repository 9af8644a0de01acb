#pragma once
// JSON text as the program's machine-readable outputs write it: strings are
// always valid UTF-8 whatever bytes they came from, and numbers have their
// shortest round-trip form ("18.2", "1e+07"), the same in every output.
//
// Build a record as nlohmann::ordered_json and write it with AppendJson; what
// is too large to hold as a tree (a file's samples) is streamed after
// AppendJsonObjectOpen with AppendJsonNumber.
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

namespace vx {

// Appends `bytes` as a JSON string literal. Each byte that is not part of a
// well-formed UTF-8 sequence becomes U+FFFD.
void AppendJsonString(std::string& out, std::string_view bytes);

// Appends a double in its shortest round-trip form; null when not finite.
void AppendJsonNumber(std::string& out, double v);

// Appends `value` compactly. Unlike nlohmann's dump(), floating-point numbers
// are written by AppendJsonNumber (dump() writes 1 as "1.0" and 1e7 as
// "10000000.0"), and strings holding bytes that are not UTF-8 are written as
// AppendJsonString writes them instead of throwing.
void AppendJson(std::string& out, const nlohmann::ordered_json& value);
void AppendJson(std::string& out, const nlohmann::json& value);

// Same for an object, without its closing brace: the caller appends further
// members (",\"samples\":[...]") and the '}'.
void AppendJsonObjectOpen(std::string& out, const nlohmann::ordered_json& object);

}  // namespace vx
