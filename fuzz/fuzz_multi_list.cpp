// The overlay selection of the settings dialog. Input: a mode byte, four bytes
// of file count, then the text; for the range selection the text is split at
// its first line break into start and end.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "fuzz_support.h"
#include "settings/multi_list.h"

using namespace vx;

namespace {

void CheckSlots(const std::array<int32_t, kMultiMax>& slots, int32_t fileCount) {
    // Chosen numbers first, then zeros; no number twice; none above the count.
    size_t used = 0;
    while (used < slots.size() && slots[used] != 0) ++used;
    for (size_t i = used; i < slots.size(); ++i) VX_FUZZ_CHECK(slots[i] == 0);
    std::set<int32_t> seen(slots.begin(), slots.begin() + used);
    VX_FUZZ_CHECK(seen.size() == used);
    for (size_t i = 0; i < used; ++i) VX_FUZZ_CHECK(slots[i] <= fileCount);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const uint8_t mode = data[0];
    int32_t fileCount;
    std::memcpy(&fileCount, data + 1, 4);
    // Mostly the small counts of real folders; sometimes any 32-bit value.
    if (!(mode & 1)) fileCount = static_cast<int32_t>(static_cast<uint32_t>(fileCount) % 64);
    const std::string_view text = fuzz::AsText(data + 5, size - 5);

    const SepListResult sep = MakeSepList(text, fileCount);
    VX_FUZZ_CHECK(sep.Text.size() <= 16 * 24);
    if (fileCount >= 1) {
        CheckSlots(sep.MultiNo, fileCount);
        // The normalised text chooses the same numbers again.
        bool positive =
            std::all_of(sep.MultiNo.begin(), sep.MultiNo.end(), [](int32_t v) { return v >= 0; });
        if (positive) {
            const SepListResult again = MakeSepList(sep.Text, fileCount);
            VX_FUZZ_CHECK(again.MultiNo == sep.MultiNo);
            VX_FUZZ_CHECK(again.Text == sep.Text);
        }
    }

    const size_t brk = text.find('\n');
    const std::string_view sta = text.substr(0, brk);
    const std::string_view end = brk == std::string_view::npos ? "" : text.substr(brk + 1);
    const RangeListResult range = MakeRangeList(sta, end, fileCount);
    MakeRangeText(sta, end);
    if (sta.empty() && end.empty()) {
        VX_FUZZ_CHECK(range.StaText.empty() && range.EndText.empty());
        VX_FUZZ_CHECK(range.MultiNo == (std::array<int32_t, kMultiMax>{}));
        return 0;
    }
    const int64_t first = std::stoll(range.StaText);
    const int64_t last = std::stoll(range.EndText);
    VX_FUZZ_CHECK(first <= last);
    for (int i = 0; i < kMultiMax; ++i) {
        const int64_t want = first + i <= last ? first + i : 0;
        VX_FUZZ_CHECK(range.MultiNo[i] == want);
    }
    if (fileCount >= 1 && first >= 1) CheckSlots(range.MultiNo, fileCount);
    return 0;
}
