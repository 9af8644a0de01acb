#pragma once
// The display-settings dialog's reading of its scale edits.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Validation reading: the leading number of the text, 0 when there is none.
double LenientNumber(std::string_view s);

// Storing reading: the whole text must be a decimal integer in the 32-bit range.
std::optional<int32_t> StrictInt(std::string_view s);

// UTF-8 "'<text>' は整数ではありません": what a failed StrictInt reports.
std::string NotAnIntegerMessage(std::string_view text);

// The texts of one row's minimum and maximum edits.
struct ScaleRowText {
    std::string Min, Max;
};

// Index of the first row whose maximum is not above its minimum, -1 when all are.
int FirstInvalidScaleRow(const std::array<ScaleRowText, 4>& rows);

}  // namespace vx
