#include "display/plot_data.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "common/ascii.h"
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
    const std::string_view name = TrimBlank(headerField);

    // Walk whole characters: the trail byte of a double-byte character may
    // be '[' (0x5B), as in "ー" and "ゼ".
    size_t bracket = std::string_view::npos;
    size_t lastChar = 0;
    for (size_t i = 0; i < name.size(); i += Cp932CharLength(name, i)) {
        if (bracket == std::string_view::npos && name[i] == '[') bracket = i;
        lastChar = i;
    }

    TitleUnit r;
    const size_t unitBegin = bracket == std::string_view::npos ? 0 : bracket + 1;
    if (!name.empty() && lastChar > unitBegin)
        r.unit = name.substr(unitBegin, lastChar - unitBegin);
    if (bracket == std::string_view::npos) return r;

    const std::string_view part = name.substr(0, bracket);
    static constexpr TextId kNames[] = {kTextCurrentSet,    kTextVoltageSet,    kTextFeedingSet,
                                        kTextCurrentActual, kTextVoltageActual, kTextFeedingActual};
    for (TextId id : kNames) {
        if (part == LoadStr(id)) {
            r.title = LoadStr(id + kEnglish);
            return r;
        }
    }
    r.title = part;
    return r;
}

}  // namespace vx
