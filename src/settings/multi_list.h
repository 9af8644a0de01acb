#pragma once
// The overlay selection of the display-settings dialog: which logged welds
// (by number) are drawn over the current one.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

inline constexpr int kMultiMax = 10;   // overlay numbers at most
inline constexpr int kSepFields = 16;  // list entries looked at

// Keeps a weld number within 1..fileCount: 0 -> 1, above fileCount -> fileCount,
// anything else (negative numbers included) unchanged.
int32_t LimitWeldNo(int32_t v, int32_t fileCount);

// Decimal integer of a text (leading blanks, optional sign, digits, in range), else 0.
int32_t IntOfText(std::string_view s);

// Leading and trailing characters up to the blank (codes 0..32) removed.
std::string_view TrimText(std::string_view s);

// Range selection. StaText/EndText are what the two range edits hold afterwards.
struct RangeListResult {
    std::array<int32_t, kMultiMax> MultiNo{};
    std::string StaText, EndText;
};
RangeListResult MakeRangeList(std::string_view sta, std::string_view end, int32_t fileCount);

// Individual selection such as "1,3-5,7". Text is the normalised list.
struct SepListResult {
    std::array<int32_t, kMultiMax> MultiNo{};
    std::string Text;
};
SepListResult MakeSepList(std::string_view sepText, int32_t fileCount);

// Multi.RangeText as stored on OK: both edits trimmed, joined by ",".
std::string MakeRangeText(std::string_view sta, std::string_view end);

}  // namespace vx
