#include "wavefile/data_block.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// The lines of a log nearly always repeat the shape of the line before: the
// same field widths, signs and decimal points, only other digits. A line is
// tested against that shape in a few vector operations over its 32 bytes,
// and its numbers are then read eight digits at a time from known places;
// nothing depends on scanning byte by byte, so lines overlap in the
// processor. Any other line takes PlainLine, and teaches the next shape.
// The test reads kShapeReach bytes from the start of a line, so it is only
// used that far from the end of a run.
constexpr size_t kShapeReach = 48;

inline uint64_t Load8(const char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Eight digit bytes (low byte first, as read from memory) as a number:
// pairs, quadruples and all eight combined.
inline uint64_t EightDigits(uint64_t v) {
    v = ((v & 0x0F0F0F0F0F0F0F0Full) * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
    return ((v & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32;
}

// The n (1..8) digits at p: moved to the top of the word, so that zeros lead.
inline uint64_t DigitsValue(const char* p, unsigned n) {
    return EightDigits(Load8(p) << (8 * (8 - n)));  // n >= 1: the shift stays below 64
}

// The low n (0..8) bytes of a word, and bytes [from, to) of it.
constexpr uint64_t LowBytes(unsigned n) {
    return n >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
}
constexpr uint64_t ByteSpan(unsigned from, unsigned to) { return LowBytes(to) & ~LowBytes(from); }

constexpr uint64_t kPow10Int[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};

struct LineShape {
    bool valid = false;
    unsigned len = 0;      // bytes before the line break, below 32
    __m128i lo, hi;        // the line's delimiters, points and signs; 0 at its digits
    uint32_t fixed = 0;    // where those lie
    uint32_t digits = 0;   // where the digits lie
    unsigned timeLen = 0;  // 1..8
    struct Value {
        unsigned intAt, intLen, fracAt, fracLen;  // 1..8 digits, 0..8 after the point
        uint64_t sign;  // the sign bit when negative: -x is x with the sign bit flipped
        double scale;   // 10^fracLen
        // When the digits and the point fit in one word: the digits before
        // the point, those after it (moved down over the point), and the
        // shift that makes them one number.
        bool oneWord;
        uint64_t keepInt, keepFrac;
        unsigned shift;
    } v[3];
};

// Bit i set where byte i of the 32 at lo, hi is a digit. Signed compares:
// bytes from 0x80 up are negative, so never digits.
inline uint32_t DigitBits(__m128i lo, __m128i hi) {
    const __m128i below = _mm_set1_epi8('0' - 1), above = _mm_set1_epi8('9' + 1);
    const auto digits = [&](__m128i x) {
        return static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(x, below), _mm_cmplt_epi8(x, above))));
    };
    return digits(lo) | digits(hi) << 16;
}

// The shape of a plain line of `len` bytes at p (as PlainLine took it,
// ended by a line break); invalid when the eight-digit reads cannot take it.
void LearnShape(const char* p, unsigned len, char d, LineShape& shape) {
    shape.valid = false;
    if (len >= 32) return;
    alignas(16) char model[32] = {};
    uint32_t fixed = 0;
    for (unsigned i = 0; i < len; ++i) {
        if (DigitOf(p[i]) <= 9) continue;
        model[i] = p[i];
        fixed |= 1u << i;
    }
    unsigned at = 0;
    while (p[at] != d) ++at;  // a plain line: digits up to the first delimiter
    if (at > 8) return;
    shape.timeLen = at;
    for (LineShape::Value& v : shape.v) {
        unsigned i = at + 1;
        const bool neg = p[i] == '-';
        i += neg;
        v.sign = neg ? uint64_t{1} << 63 : 0;
        v.intAt = i;
        while (DigitOf(p[i]) <= 9) ++i;
        v.intLen = i - v.intAt;
        v.fracAt = i + 1;
        v.fracLen = 0;
        if (p[i] == '.')
            for (++i; DigitOf(p[i]) <= 9; ++i) ++v.fracLen;
        if (v.intLen > 8 || v.fracLen > 8) return;
        const unsigned all = v.intLen + v.fracLen;
        v.oneWord = v.intLen + (v.fracLen ? 1 : 0) + v.fracLen <= 8;
        v.keepInt = ByteSpan(0, v.intLen);
        v.keepFrac = ByteSpan(v.intLen, all);
        v.shift = 8 * (8 - all);
        v.scale = kPow10[v.fracLen];
        at = i;  // the delimiter, or the line break after the last value
    }
    shape.len = len;
    shape.lo = _mm_load_si128(reinterpret_cast<const __m128i*>(model));
    shape.hi = _mm_load_si128(reinterpret_cast<const __m128i*>(model + 16));
    shape.fixed = fixed;
    shape.digits = ((1u << len) - 1) & ~fixed;
    shape.valid = true;
}

// Whether the line at p has the shape: the same bytes where the shape has no
// digits, digits where it has, and a line break after as many bytes. Such a
// line is plain as its model was, so PlainLine would read the same numbers.
inline bool HasShape(const char* p, const LineShape& shape) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const uint32_t same = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(lo, shape.lo))) |
                          static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(hi, shape.hi)))
                              << 16;
    return (same & shape.fixed) == shape.fixed &&
           (DigitBits(lo, hi) & shape.digits) == shape.digits && IsLineBreak(p[shape.len]);
}

inline void ReadShaped(const char* p, const LineShape& shape, double (&s)[4]) {
    s[0] = static_cast<double>(static_cast<int64_t>(DigitsValue(p, shape.timeLen)));
    for (int k = 0; k < 3; ++k) {
        const LineShape::Value& v = shape.v[k];
        uint64_t m;
        if (v.oneWord) {
            const uint64_t w = Load8(p + v.intAt);
            m = EightDigits(((w & v.keepInt) | ((w >> 8) & v.keepFrac)) << v.shift);
        } else {
            m = DigitsValue(p + v.intAt, v.intLen);
            if (v.fracLen) m = m * kPow10Int[v.fracLen] + DigitsValue(p + v.fracAt, v.fracLen);
        }
        // At most 15 digits, as PlainLine checked for the model: exact.
        const double x = static_cast<double>(static_cast<int64_t>(m)) / v.scale;
        s[k + 1] = std::bit_cast<double>(std::bit_cast<uint64_t>(x) ^ v.sign);
    }
}
#endif

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
#if defined(__SSE2__)
    LineShape shape;
    char* const shapeEnd = n > kShapeReach ? end - kShapeReach : begin;
#endif
    while (p < end) {
        double s[4];
        const char* stop;
#if defined(__SSE2__)
        if (p < shapeEnd && shape.valid && HasShape(p, shape)) {
            ReadShaped(p, shape, s);
            stop = p + shape.len;
        } else {
            stop = PlainLine(p, fast, s);
            if (p < shapeEnd && stop && *stop != fast)
                LearnShape(p, static_cast<unsigned>(stop - p), fast, shape);
        }
#else
        stop = PlainLine(p, fast, s);
#endif
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
