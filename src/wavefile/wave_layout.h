#pragma once
// Which of the eight column layouts a wave file has, from its header names.
#include <cstdint>
#include <string>

namespace vx {

// fields: the four header fields as split (CP932 bytes). A field "contains" a
// quantity when its Japanese or English name occurs in it, byte for byte.
uint8_t DetectWaveLayout(const std::string fields[4]);

}  // namespace vx
