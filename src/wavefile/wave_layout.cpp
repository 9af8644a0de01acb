#include "wavefile/wave_layout.h"

#include <string_view>

#include "common/text_table.h"

namespace vx {
namespace {

// Text ids of the Japanese names; the English ones are 1000 above.
enum QuantityName : int {
    kCurrentSet = 850,
    kCurrentActual = 851,
    kVoltageSet = 852,
    kVoltageActual = 853,
    kFeedingSet = 854,
    kFeedingActual = 855,
};

bool Contains(const std::string& field, QuantityName q) {
    return field.find(LoadStr(q)) != std::string::npos ||
           field.find(LoadStr(q + 1000)) != std::string::npos;
}

}  // namespace

uint8_t DetectWaveLayout(const std::string fields[4]) {
    const std::string& f2 = fields[1];
    const std::string& f3 = fields[2];
    const std::string& f4 = fields[3];
    // Each branch tests one field only; the table implies the rest of the row.
    if (Contains(f2, kCurrentActual)) {
        if (Contains(f3, kVoltageActual)) return 0;
        if (Contains(f3, kVoltageSet)) return 4;
        if (Contains(f3, kFeedingSet)) return 6;
        return 0;
    }
    if (Contains(f2, kCurrentSet)) {
        if (Contains(f4, kFeedingSet)) return 1;
        if (Contains(f4, kVoltageActual)) return 2;
        if (Contains(f4, kFeedingActual)) return 3;
        return 0;
    }
    if (Contains(f2, kVoltageSet)) return 5;
    if (Contains(f2, kVoltageActual)) return 7;
    return 0;
}

}  // namespace vx
