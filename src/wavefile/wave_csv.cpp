#include "wavefile/wave_csv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>

#include "common/encoding.h"
#include "common/number_text.h"
#include "wavefile/file_read.h"

namespace vx {
namespace {

constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// ParseLeadingDouble with a short cut for the plain decimals that fill data
// lines ("231.5", "-0.25"). With at most 15 digits the digits form an exact
// double and so does the power of ten, so one division rounds exactly as a
// full conversion would. Everything else takes the full conversion.
double ParseValue(std::string_view s) {
    const char* p = s.data();
    const char* e = p + s.size();
    bool neg = p < e && *p == '-';
    if (neg) ++p;
    if (p == e || static_cast<unsigned>(*p - '0') > 9) return ParseLeadingDouble(s);
    uint64_t m = 0;
    int digits = 0, frac = 0;
    for (; p < e && static_cast<unsigned>(*p - '0') <= 9; ++p, ++digits) m = m * 10 + (*p - '0');
    if (p < e && *p == '.') {
        for (++p; p < e && static_cast<unsigned>(*p - '0') <= 9; ++p, ++digits, ++frac)
            m = m * 10 + (*p - '0');
    }
    if (digits > 15 || (p < e && (*p == 'e' || *p == 'E'))) return ParseLeadingDouble(s);
    double v = static_cast<double>(m) / kPow10[frac];
    return neg ? -v : v;
}

// ParseWholeNumber with a short cut for plain digit strings.
double ParseTime(std::string_view s) {
    if (s.empty() || s.size() > 9) return ParseWholeNumber(s);
    int32_t v = 0;
    for (char c : s) {
        if (static_cast<unsigned>(c - '0') > 9) return ParseWholeNumber(s);
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

void LineList::Assign(std::string_view text) {
    text_.assign(text);
    Split();
}

void LineList::Split() {
    spans_.clear();
    inOrder_ = true;
    const char* b = text_.data();
    const size_t n = text_.size();
    size_t begin = 0;
    for (size_t i = FindLineBreak(b, 0, n); i < n; i = FindLineBreak(b, begin, n)) {
        spans_.push_back({begin, i});
        if (b[i] == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
        begin = i + 1;
    }
    if (begin < n) spans_.push_back({begin, n});
}

void LineList::SetLine(size_t i, std::string_view line) {
    if (!text_.empty() && line.data() >= text_.data() &&
        line.data() < text_.data() + text_.size()) {
        std::string copy(line);  // appending below may move the buffer it points into
        SetLine(i, copy);
        return;
    }
    size_t begin = text_.size();
    text_.append(line);
    spans_[i] = {begin, text_.size()};
    inOrder_ = false;
}

void LineList::ReplaceInLines(size_t first, char from, char to) {
    if (first >= spans_.size()) return;
    if (!inOrder_) {
        for (size_t i = first; i < spans_.size(); ++i) {
            std::span<char> line = MutableLine(i);
            std::replace(line.begin(), line.end(), from, to);
        }
        return;
    }
    // Line breaks never equal `from` here (a comma), so the bytes between the
    // lines can be passed over with the rest; the plain select vectorises.
    char* p = text_.data() + spans_[first].begin;
    char* end = text_.data() + spans_.back().end;
    for (; p < end; ++p) *p = *p == from ? to : *p;
}

void LineList::clear() {
    text_.clear();
    spans_.clear();
    inOrder_ = true;
}

bool ReadWaveLines(const std::string& path, LineList& out) {
    try {
        off_t size = 0;
        int fd = OpenRegularFile(path, &size);
        if (fd < 0) return false;
        FileHandle file(fd);
        // Read into the list's own buffer: a viewer reloading files of similar
        // size then touches no fresh memory.
        out.spans_.clear();
        out.text_.clear();
        if (!ReadToEnd(fd, out.text_, static_cast<size_t>(size))) {
            out.clear();
            return false;
        }
        if (DetectEncoding(out.text_.view()) != TextEncoding::Cp932)
            out.text_.assign(DecodeToCp932(out.text_.view()));
        out.Split();
        return !out.empty();
    } catch (const std::exception&) {  // out of memory on a giant file
        out.clear();
        return false;
    }
}

bool ReadFirstLine(const std::string& path, std::string& line) {
    try {
        off_t size = 0;
        int fd = OpenRegularFile(path, &size);
        if (fd < 0) return false;
        FileHandle file(fd);

        // Enough for a byte-order mark and, nearly always, the whole header.
        ByteBuffer buf;
        buf.reserve(4096);
        bool eof = false;
        auto more = [&] {
            if (buf.size() == buf.capacity()) buf.reserve(buf.capacity() * 2);
            ssize_t r = ReadMore(fd, buf);
            if (r <= 0) eof = true;
            return r >= 0;
        };
        while (!eof && buf.size() < 4096)
            if (!more()) return false;

        TextEncoding enc = DetectEncoding(buf.view().substr(0, 3));
        bool utf16 = enc == TextEncoding::Utf16LE || enc == TextEncoding::Utf16BE;
        size_t start = enc == TextEncoding::Utf8Bom ? 3 : utf16 ? 2 : 0;
        size_t scan = start;
        size_t brk = std::string::npos;
        for (;;) {
            const char* b = buf.data();
            if (utf16) {
                // Whole code units only: a byte 0x0A may be half of another character.
                int lo = enc == TextEncoding::Utf16LE ? 0 : 1;
                for (; scan + 1 < buf.size(); scan += 2) {
                    if (b[scan + 1 - lo] == 0 && IsLineBreak(b[scan + lo])) {
                        brk = scan;
                        break;
                    }
                }
            } else {
                scan = std::min(scan, buf.size());
                size_t at = FindLineBreak(b, scan, buf.size());
                scan = at;
                if (at < buf.size()) brk = at;
            }
            if (brk != std::string::npos || eof) break;
            if (!more()) return false;
        }
        if (brk == std::string::npos) brk = buf.size();
        std::string_view raw = buf.view().substr(start, brk - start);

        switch (enc) {
            case TextEncoding::Utf8Bom:
                line = Utf8ToCp932(raw);
                break;
            case TextEncoding::Utf16LE:
            case TextEncoding::Utf16BE:
                line = Utf16ToCp932(raw, enc == TextEncoding::Utf16BE);
                break;
            default:
                // Without a mark, UTF-8 is decided over the whole file; only a
                // header that is itself valid non-ASCII UTF-8 needs the rest.
                if (HasNonAscii(raw) && IsValidUtf8(raw)) {
                    if (!eof && !ReadToEnd(fd, buf, static_cast<size_t>(size))) return false;
                    raw = buf.view().substr(0, brk);
                    if (IsValidUtf8(buf.view())) {
                        line = Utf8ToCp932(raw);
                        break;
                    }
                }
                line.assign(raw);
                break;
        }
        // A line break, or any text before the end, makes a first line.
        return brk < buf.size() || !line.empty();
    } catch (const std::exception&) {
        return false;
    }
}

WaveVariant DetectVariant(std::string_view headerLine) {
    WaveVariant v;
    if (headerLine.find(';') != std::string_view::npos) {
        v.delimiter = ';';
        v.decimalComma = true;
    }
    return v;
}

int SplitFourFields(std::string_view line, char delimiter, std::string_view fields[4]) {
    for (int i = 0; i < 4; ++i) fields[i] = {};
    if (line.empty()) return 0;
    // One pass over the line; fields are short, so a call per field would cost more.
    const char* b = line.data();
    const size_t n = line.size();
    size_t start = 0;
    int count = 0;
    for (size_t i = 0; i < n; ++i) {
        if (b[i] != delimiter) continue;
        fields[count++] = std::string_view(b + start, i - start);
        start = i + 1;
        if (count == 4) return 4;
    }
    fields[count++] = std::string_view(b + start, n - start);
    return count;
}

Sample ConvertDataLine(std::string_view line, char delimiter) {
    std::string_view f[4];
    SplitFourFields(line, delimiter, f);
    Sample s;
    s.t = ParseTime(f[0]);
    for (int k = 0; k < 3; ++k) s.y[k] = ParseValue(f[k + 1]);
    return s;
}

void ConvertDataLines(LineList& lines, WaveVariant v, WaveColumns& out) {
    if (v.decimalComma) lines.ReplaceInLines(1, ',', '.');
    ConvertLinesWith(lines, out, [&v](std::span<char>) { return v.delimiter; });
}

bool CheckCsvFile(const std::string& path, const std::vector<std::string>& acceptedNames) {
    std::string header;
    if (!ReadFirstLine(path, header)) return false;
    std::string_view f[4];
    if (SplitFourFields(header, DetectVariant(header).delimiter, f) != 4) return false;
    for (const std::string& name : acceptedNames)
        if (f[0] == name) return true;
    return false;
}

}  // namespace vx
