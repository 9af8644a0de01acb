#include "wavefile/wave_layout.h"

#include <string_view>

#include "common/text_table.h"

namespace vx {
namespace {

bool Contains(const std::string& field, TextId q) {
    return field.find(LoadStr(q)) != std::string::npos ||
           field.find(LoadStr(q + kEnglish)) != std::string::npos;
}

}  // namespace

uint8_t DetectWaveLayout(const std::string fields[4]) {
    const std::string& f2 = fields[1];
    const std::string& f3 = fields[2];
    const std::string& f4 = fields[3];
    // Each branch tests one field only; the table implies the rest of the row.
    if (Contains(f2, kTextCurrentActual)) {
        if (Contains(f3, kTextVoltageActual)) return 0;
        if (Contains(f3, kTextVoltageSet)) return 4;
        if (Contains(f3, kTextFeedingSet)) return 6;
        return 0;
    }
    if (Contains(f2, kTextCurrentSet)) {
        if (Contains(f4, kTextFeedingSet)) return 1;
        if (Contains(f4, kTextVoltageActual)) return 2;
        if (Contains(f4, kTextFeedingActual)) return 3;
        return 0;
    }
    if (Contains(f2, kTextVoltageSet)) return 5;
    if (Contains(f2, kTextVoltageActual)) return 7;
    return 0;
}

}  // namespace vx
