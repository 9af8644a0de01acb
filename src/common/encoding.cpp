#include "common/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

namespace vx {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; on an unconvertible or invalid unit writes
    // `replacement` and skips `unit` input bytes.
    using UnitFn = size_t (*)(const char*, size_t);
    std::string Run(std::string_view in, std::string_view replacement, UnitFn unit) {
        std::string out;
        if (!ok()) return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 2 + 16);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t used = 0;
        while (srcLeft > 0) {
            // Small pieces: after a character it cannot convert, glibc converts
            // the input of the call again up to it, so one call over a whole
            // file of such characters took seconds per megabyte.
            const size_t piece = std::min(srcLeft, kPiece);
            size_t pieceLeft = piece;
            char* dst = out.data() + used;
            size_t dstLeft = out.size() - used;
            size_t r = iconv(cd_, &src, &pieceLeft, &dst, &dstLeft);
            used = out.size() - dstLeft;
            srcLeft -= piece - pieceLeft;
            if (r != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else if (errno == EINVAL && pieceLeft < srcLeft && pieceLeft < piece) {
                // A character cut by the end of the piece: the next piece starts with it.
            } else {  // EILSEQ or EINVAL (truncated sequence at the end)
                if (out.size() - used < replacement.size())
                    out.resize(out.size() * 2 + replacement.size());
                std::memcpy(out.data() + used, replacement.data(), replacement.size());
                used += replacement.size();
                size_t skip = std::min(unit(src, srcLeft), srcLeft);
                src += skip;
                srcLeft -= skip;
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        out.resize(used);
        return out;
    }

    // All of `in` or nothing: any unit that cannot be converted fails.
    std::optional<std::string> RunStrict(std::string_view in) {
        if (!ok()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 2 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t used = 0;
        while (true) {
            char* dst = out.data() + used;
            size_t dstLeft = out.size() - used;
            size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            used = out.size() - dstLeft;
            if (r != static_cast<size_t>(-1)) break;
            if (errno != E2BIG) return std::nullopt;
            out.resize(out.size() * 2);
        }
        out.resize(used);
        return out;
    }

  private:
    static constexpr size_t kPiece = 512;  // bytes of input per iconv call
    iconv_t cd_;
};

// Length of the UTF-8 character at the front of `s` (1 for a stray byte), so a
// character with no CP932 form is replaced as a whole.
size_t Utf8Unit(const char* s, size_t left) {
    unsigned char c = static_cast<unsigned char>(*s);
    size_t len = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    for (size_t k = 1; k < len; ++k)
        if (k >= left || (static_cast<unsigned char>(s[k]) >> 6) != 2) return k;
    return len;
}

size_t FixedUnit1(const char*, size_t) { return 1; }
size_t FixedUnit2(const char*, size_t) { return 2; }

// One converter of each kind per thread, opened on first use and kept: the
// conversions and the availability test share them.
Converter& FromUtf8() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}
Converter& ToUtf8() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}
Converter& FromUtf16(bool bigEndian) {
    thread_local Converter le("CP932", "UTF-16LE"), be("CP932", "UTF-16BE");
    return bigEndian ? be : le;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    return FromUtf8().Run(utf8, "?", Utf8Unit);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    if (!HasNonAscii(cp932)) return std::string(cp932);
    return ToUtf8().Run(cp932, "\xEF\xBF\xBD", FixedUnit1);
}

std::string Utf16ToCp932(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2) bytes.remove_suffix(1);
    return FromUtf16(bigEndian).Run(bytes, "?", FixedUnit2);
}

std::optional<std::string> ConvertStrict(const char* to, const char* from, std::string_view in) {
    Converter c(to, from);
    return c.RunStrict(in);
}

bool Cp932Available() {
    static const bool available =
        FromUtf8().ok() && ToUtf8().ok() && FromUtf16(false).ok() && FromUtf16(true).ok();
    return available;
}

namespace {

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Length of the run of ASCII bytes at s[i], a word at a time: files are
// scanned whole, and nearly all of their bytes are ASCII.
size_t AsciiRun(std::string_view s, size_t i) {
    const size_t from = i;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        if (w & kHighBits) break;
    }
    while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i - from;
}

}  // namespace

bool HasNonAscii(std::string_view s) { return AsciiRun(s, 0) < s.size(); }

size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto byte = [&s](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80) return 1;
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;  // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;  // overlong
        if (c == 0xED) hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;  // overlong
        if (c == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (size_t k = 2; k < len; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return len;
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            i += AsciiRun(s, i);
            continue;
        }
        const size_t len = Utf8SequenceLength(s, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string ToValidUtf8(std::string_view s) {
    if (IsValidUtf8(s)) return std::string(s);
    std::string out;
    out.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size();) {
        const size_t len = Utf8SequenceLength(s, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(s.substr(i, len));
            i += len;
        }
    }
    return out;
}

TextEncoding DetectEncoding(std::string_view b) {
    if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") return TextEncoding::Utf8Bom;
    if (b.size() >= 2 && b.substr(0, 2) == "\xFF\xFE") return TextEncoding::Utf16LE;
    if (b.size() >= 2 && b.substr(0, 2) == "\xFE\xFF") return TextEncoding::Utf16BE;
    if (HasNonAscii(b) && IsValidUtf8(b)) return TextEncoding::Utf8;
    return TextEncoding::Cp932;
}

std::string DecodeToCp932(std::string_view bytes) {
    std::string s(bytes);
    DecodeToCp932InPlace(s);
    return s;
}

void DecodeToCp932InPlace(std::string& bytes) {
    switch (DetectEncoding(bytes)) {
        case TextEncoding::Cp932:
            return;
        case TextEncoding::Utf8Bom:
            bytes = Utf8ToCp932(std::string_view(bytes).substr(3));
            return;
        case TextEncoding::Utf8:
            bytes = Utf8ToCp932(bytes);
            return;
        case TextEncoding::Utf16LE:
            bytes = Utf16ToCp932(std::string_view(bytes).substr(2), false);
            return;
        case TextEncoding::Utf16BE:
            bytes = Utf16ToCp932(std::string_view(bytes).substr(2), true);
            return;
    }
}

}  // namespace vx
