#include "display/plot_data.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/text_table.h"

namespace vx {

namespace {

// Strict weak order even with NaN, which would otherwise break the sort.
bool TimeBefore(double a, double b) {
    const bool na = std::isnan(a), nb = std::isnan(b);
    if (na || nb) return !na && nb;
    return a < b;
}

template <typename T>
void Permute(std::vector<T>& v, const std::vector<uint32_t>& order) {
    if (v.size() != order.size()) return;
    std::vector<T> out;
    out.reserve(v.size());
    for (uint32_t i : order) out.push_back(v[i]);
    v.swap(out);
}

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Byte length of the CP932 character starting at i; a lead byte at the very
// end stands alone.
size_t CharLength(std::string_view s, size_t i) {
    return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

std::string_view TrimBlanks(std::string_view s) {
    // Trail bytes of double-byte characters are never <= 0x20, so trimming
    // bytewise cannot split a character.
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<uint32_t> StableTimeOrder(const std::vector<double>& t) {
    std::vector<uint32_t> order(t.size());
    std::iota(order.begin(), order.end(), 0u);
    if (std::is_sorted(t.begin(), t.end(), TimeBefore)) return order;
    std::stable_sort(order.begin(), order.end(),
                     [&t](uint32_t a, uint32_t b) { return TimeBefore(t[a], t[b]); });
    return order;
}

std::vector<uint32_t> SortColumnsByTime(WaveColumns& c) {
    if (std::is_sorted(c.t.begin(), c.t.end(), TimeBefore)) return {};
    std::vector<uint32_t> order = StableTimeOrder(c.t);
    Permute(c.t, order);
    Permute(c.y1, order);
    Permute(c.y2, order);
    Permute(c.y3, order);
    return order;
}

uint8_t SampleCodeOf(const std::vector<double>& sortedTimes, size_t lineCount) {
    if (lineCount < 3 || sortedTimes.size() < 2) return 0;
    const double d = std::trunc(sortedTimes[1] - sortedTimes[0]);
    if (d == 10) return 0;
    if (d == 100) return 1;
    if (d == 1000) return 2;
    return 0;
}

TitleUnit TitleAndUnitOf(std::string_view headerField) {
    const std::string_view name = TrimBlanks(headerField);

    // Walk whole characters: the trail byte of a double-byte character may
    // be '[' (0x5B), as in "ー" and "ゼ".
    size_t bracket = std::string_view::npos;
    size_t lastChar = 0;
    for (size_t i = 0; i < name.size(); i += CharLength(name, i)) {
        if (bracket == std::string_view::npos && name[i] == '[') bracket = i;
        lastChar = i;
    }

    TitleUnit r;
    const size_t unitBegin = bracket == std::string_view::npos ? 0 : bracket + 1;
    if (!name.empty() && lastChar > unitBegin)
        r.unit = name.substr(unitBegin, lastChar - unitBegin);
    if (bracket == std::string_view::npos) return r;

    const std::string_view part = name.substr(0, bracket);
    static constexpr int kNames[] = {850, 852, 854, 851, 853, 855};
    for (int id : kNames) {
        if (part == LoadStr(id)) {
            r.title = LoadStr(id + 1000);
            return r;
        }
    }
    r.title = part;
    return r;
}

}  // namespace vx
