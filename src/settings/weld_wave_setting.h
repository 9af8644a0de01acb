#pragma once
// The display settings record. Plain value type: copying copies everything,
// which the settings dialog relies on (it edits a copy, taken back on OK).
#include <cstdint>
#include <string>

namespace vx {

// Index of every per-quantity array.
enum Quantity : int { kCurrent = 0, kVoltage = 1, kWireSpeed = 2, kTime = 3 };

// One scale, known by users of the settings record as `_GraphInfo`; spelt
// without the underscore because such names are reserved in C++.
struct GraphInfo {
    int32_t Min = 0;
    int32_t Max = 0;
    std::string Caption;  // UTF-8, display only; never stored in the settings file
    bool operator==(const GraphInfo&) const = default;
};

struct WeldWaveSetting {
    struct {
        GraphInfo Graph[4];       // scales in use
        GraphInfo GraphRecom[4];  // recommended scales
    } Scale;
    struct {
        bool Enabled = false;   // history overlay on
        int32_t SelMode = 0;    // 0 range, 1 individual list
        std::string RangeText;  // "start,end"
        std::string SepText;    // e.g. "1,3-5,7"
    } Multi;
    struct {
        std::string Check;  // raw FORMAT_CHECK value, CP932 bytes
    } Format;
};

}  // namespace vx
