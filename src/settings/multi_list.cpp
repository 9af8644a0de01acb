#include "settings/multi_list.h"

#include <algorithm>
#include <utility>

#include "common/ascii.h"
#include "common/number_text.h"
#include "common/weld_common.h"

namespace vx {
namespace {

bool Contains(const std::array<int32_t, kMultiMax>& slots, int64_t v) {
    return std::find(slots.begin(), slots.end(), v) != slots.end();
}

}  // namespace

int32_t LimitWeldNo(int32_t v, int32_t fileCount) {
    if (v == 0) return 1;
    if (v > fileCount) return fileCount;
    return v;
}

int32_t IntOfText(std::string_view s) { return ParseWholeNumber(s); }

std::string_view TrimText(std::string_view s) { return TrimBlank(s); }

RangeListResult MakeRangeList(std::string_view sta, std::string_view end, int32_t fileCount) {
    RangeListResult r;
    if (sta.empty() && end.empty()) return r;
    if (sta.empty())
        sta = end;
    else if (end.empty())
        end = sta;
    int32_t start = LimitWeldNo(IntOfText(sta), fileCount);
    int32_t last = LimitWeldNo(IntOfText(end), fileCount);
    if (last < start) std::swap(start, last);
    r.StaText = std::to_string(start);
    r.EndText = std::to_string(last);
    // 64-bit: start + i must not wrap near the top of the range.
    for (int i = 0; i < kMultiMax && int64_t{start} + i <= last; ++i) r.MultiNo[i] = start + i;
    return r;
}

SepListResult MakeSepList(std::string_view sepText, int32_t fileCount) {
    SepListResult r;
    std::string fields[kSepFields];
    WeldCommon::SplitFields(sepText, ",", false, kSepFields, fields);
    int count = 0;
    for (std::string& field : fields) {
        if (count == kMultiMax) break;
        std::erase(field, ' ');
        if (field.empty()) continue;
        size_t dash = field.find('-');
        if (dash != std::string::npos) {
            std::string_view f = field;
            int32_t a = LimitWeldNo(IntOfText(TrimText(f.substr(0, dash))), fileCount);
            int32_t b = LimitWeldNo(IntOfText(TrimText(f.substr(dash + 1))), fileCount);
            if (b < a) std::swap(a, b);
            if (count != 0) r.Text += ',';
            r.Text += std::to_string(a);
            int64_t v = a;
            for (;; ++v) {
                if (!Contains(r.MultiNo, v)) {
                    r.MultiNo[count++] = static_cast<int32_t>(v);
                    if (count == kMultiMax) break;
                }
                if (v == b) break;
            }
            r.Text += '-' + std::to_string(v);
        } else {
            int32_t v = LimitWeldNo(IntOfText(TrimText(field)), fileCount);
            if (Contains(r.MultiNo, v)) continue;
            if (count != 0) r.Text += ',';
            r.MultiNo[count++] = v;
            r.Text += std::to_string(v);
        }
    }
    return r;
}

std::string MakeRangeText(std::string_view sta, std::string_view end) {
    std::string s(TrimText(sta));
    s += ',';
    s += TrimText(end);
    return s;
}

}  // namespace vx
