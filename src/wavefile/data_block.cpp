#include "wavefile/data_block.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "wavefile/file_read.h"

namespace vx {
namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

inline unsigned DigitOf(char c) { return static_cast<unsigned char>(c) - unsigned{'0'}; }

// A whole time of 1 to 9 digits at p, ended by `stop`. Advances p past the
// stop. Such a field is what ParseTime reads without its fallback.
inline bool PlainTime(const char*& p, char stop, double& t) {
    const char* q = p;
    uint32_t v = 0;
    for (unsigned d; (d = DigitOf(*q)) <= 9; ++q) v = v * 10 + d;  // wraps harmlessly past 9 digits
    const ptrdiff_t len = q - p;
    if (len == 0 || len > 9 || *q != stop) return false;
    t = static_cast<double>(static_cast<int32_t>(v));
    p = q + 1;
    return true;
}

// "-?digits[.digits]" with at most 15 digits at p. Advances p to the byte
// after it. With so few digits the digits form an exact double and so does
// the power of ten, so one division rounds exactly as a full conversion does;
// ParseValue takes the same short cut.
inline bool PlainDecimal(const char*& p, double& v) {
    const char* q = p;
    const bool neg = *q == '-';
    q += neg;
    const char* digits = q;
    uint64_t m = 0;
    for (unsigned d; (d = DigitOf(*q)) <= 9; ++q) m = m * 10 + d;
    const ptrdiff_t whole = q - digits;
    ptrdiff_t frac = 0;
    if (*q == '.') {
        const char* f = ++q;
        for (unsigned d; (d = DigitOf(*q)) <= 9; ++q) m = m * 10 + d;
        frac = q - f;
    }
    if (whole == 0 || whole + frac > 15) return false;
    const double x = static_cast<double>(m) / kPow10[frac];
    v = neg ? -x : x;
    p = q;
    return true;
}

// One line "time,v1,v2,v3" of plain numbers at p, ended by a line break or by
// the delimiter of a fifth field. Returns where its fourth field ends, or null
// when the line is anything else.
inline const char* PlainLine(const char* p, char d, double (&s)[4]) {
    if (!PlainTime(p, d, s[0])) return nullptr;
    for (int k = 1; k <= 3; ++k) {
        if (!PlainDecimal(p, s[k])) return nullptr;
        if (k < 3) {
            if (*p != d) return nullptr;
            ++p;
        }
    }
    return *p == '\n' || *p == '\r' || *p == d ? p : nullptr;
}

void Append(WaveColumns& out, double t, double y1, double y2, double y3) {
    out.t.push_back(t);
    out.y1.push_back(y1);
    out.y2.push_back(y2);
    out.y3.push_back(y3);
}

}  // namespace

char PrepareOverlayLine(std::span<char> bytes) {
    if (std::find(bytes.begin(), bytes.end(), ';') == bytes.end()) return ',';
    std::replace(bytes.begin(), bytes.end(), ',', '.');
    return ';';
}

void ConvertDataBlock(char* begin, char* end, const DataRule& rule, WaveColumns& out) {
    if (rule.decimalComma)
        for (char* c = begin; c < end; ++c) *c = *c == ',' ? '.' : *c;  // a select: vectorises
    // A plain line needs the ',' delimiter in an overlay: it holds no ';'.
    const char fast = rule.perLine ? ',' : rule.delimiter;
    const size_t n = static_cast<size_t>(end - begin);
    char* p = begin;
    while (p < end) {
        double s[4];
        const char* stop = PlainLine(p, fast, s);
        char* brk;
        if (stop && *stop != fast) {
            brk = p + (stop - p);
            Append(out, s[0], s[1], s[2], s[3]);
        } else if (stop && !rule.perLine) {
            // A fifth field, ignored. (In an overlay it could hold the ';' that
            // makes the line a decimal-comma one.)
            brk = begin + FindLineBreak(begin, static_cast<size_t>(stop - begin), n);
            Append(out, s[0], s[1], s[2], s[3]);
        } else {
            brk = begin + FindLineBreak(begin, static_cast<size_t>(p - begin), n);
            std::span<char> line(p, static_cast<size_t>(brk - p));
            const char d = rule.perLine ? PrepareOverlayLine(line) : rule.delimiter;
            const Sample x = ConvertDataLine(std::string_view(line.data(), line.size()), d);
            Append(out, x.t, x.y[0], x.y[1], x.y[2]);
        }
        // The run ends after a break, so brk < end here.
        p = brk + 1;
        if (*brk == '\r' && p < end && *p == '\n') ++p;
    }
}

size_t EstimateLines(const char* begin, const char* end) {
    size_t lf = 0, cr = 0;
    for (const char* c = begin; c < end; ++c) {
        lf += *c == '\n';
        cr += *c == '\r';
    }
    return std::max(lf, cr);
}

}  // namespace vx
