// The shared field splitter. Input: a control byte (field limit, clear flag),
// a byte with the delimiter's length, the delimiter, then the text.
#include <algorithm>
#include <string>

#include "common/weld_common.h"
#include "fuzz_support.h"
#include "wavefile/wave_csv.h"

using namespace vx;

namespace {

constexpr int kSlots = 20;
const char kUntouched[] = "\x01untouched";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int maxFields = data[0] % kSlots;
    const bool clearFirst = data[0] & 0x80;
    const size_t delimLen = std::min<size_t>(data[1] % 4, size - 2);
    const std::string_view delimiter = fuzz::AsText(data + 2, delimLen);
    const std::string_view text = fuzz::AsText(data + 2 + delimLen, size - 2 - delimLen);

    std::string fields[kSlots];
    for (std::string& f : fields) f = kUntouched;
    const int count = WeldCommon::SplitFields(text, delimiter, clearFirst, maxFields, fields);

    VX_FUZZ_CHECK(count >= 0 && count <= maxFields);
    if (text.empty()) VX_FUZZ_CHECK(count == 0);
    if (!text.empty() && maxFields > 0) VX_FUZZ_CHECK(count >= 1);
    for (int i = count; i < kSlots; ++i)
        VX_FUZZ_CHECK(fields[i] == ((clearFirst && i < maxFields) ? "" : kUntouched));

    // The fields put back together give the text, or a part of it that ends
    // where a further delimiter starts (the rest beyond the last field is dropped).
    if (count > 0) {
        std::string joined = fields[0];
        for (int i = 1; i < count; ++i) joined.append(delimiter).append(fields[i]);
        if (delimiter.empty()) {
            VX_FUZZ_CHECK(count == 1 && joined == text);
        } else if (count < maxFields) {
            VX_FUZZ_CHECK(joined == text);
        } else {
            VX_FUZZ_CHECK(text.substr(0, joined.size()) == joined);
            VX_FUZZ_CHECK(joined.size() == text.size() ||
                          text.substr(joined.size(), delimiter.size()) == delimiter);
        }
        for (int i = 0; i + 1 < count; ++i)
            VX_FUZZ_CHECK(delimiter.empty() || fields[i].find(delimiter) == std::string::npos);
    }

    // The reader's own four-field split agrees with the shared one.
    if (delimiter.size() == 1 && maxFields == 4 && clearFirst) {
        std::string_view views[4];
        VX_FUZZ_CHECK(SplitFourFields(text, delimiter[0], views) == count);
        for (int i = 0; i < 4; ++i) VX_FUZZ_CHECK(views[i] == fields[i]);
    }
    return 0;
}
