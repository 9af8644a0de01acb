#include "settings/scale_edit.h"

#include "common/number_text.h"

namespace vx {

double LenientNumber(std::string_view s) { return ParseLeadingDouble(s); }

std::optional<int32_t> StrictInt(std::string_view s) { return ParseInt32(s); }

std::string NotAnIntegerMessage(std::string_view text) {
    std::string m = "'";
    m += text;
    m += "' は整数ではありません";
    return m;
}

int FirstInvalidScaleRow(const std::array<ScaleRowText, 4>& rows) {
    for (int k = 0; k < 4; ++k)
        if (!(LenientNumber(rows[k].Max) > LenientNumber(rows[k].Min))) return k;
    return -1;
}

}  // namespace vx
