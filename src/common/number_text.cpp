#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vx {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<int32_t> ParseInt32(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    if (i == s.size()) return std::nullopt;
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i])) return std::nullopt;
        v = v * 10 + (s[i] - '0');
        if (v > int64_t{1} << 32) return std::nullopt;  // far outside the range already
    }
    if (neg) v = -v;
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

double ParseLeadingDouble(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
    // A number starts with a digit, or a '.' followed by a digit.
    if (i >= s.size()) return 0.0;
    if (!IsDigit(s[i]) && !(s[i] == '.' && i + 1 < s.size() && IsDigit(s[i + 1]))) return 0.0;
    double v = 0.0;
    const char* first = s.data() + i;
    const char* last = s.data() + s.size();
    auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Tell overflow from underflow by the exponent's sign and size.
        bool tiny = false;
        for (const char* p = first; p < r.ptr; ++p) {
            if (*p == 'e' || *p == 'E') {
                tiny = p + 1 < r.ptr && p[1] == '-';
                break;
            }
        }
        v = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (r.ec != std::errc()) {
        return 0.0;
    }
    return neg ? -v : v;
}

std::string ShortestText(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

}  // namespace vx
