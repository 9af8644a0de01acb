#include "wavefile/wave_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <exception>

#include "common/encoding.h"
#include "common/prefault.h"
#include "wavefile/file_read.h"

namespace vx {

namespace {

// Where the data after a header ending at brk begins: past its line break.
size_t AfterBreak(const char* b, size_t brk, size_t n) {
    if (brk >= n) return n;
    return brk + (b[brk] == '\r' && brk + 1 < n && b[brk + 1] == '\n' ? 2 : 1);
}

// Just after the last line break in b[from, n) known to be whole: a CR as the
// last byte may be the first half of a CR LF. `from` when there is none.
size_t AfterLastWholeBreak(const char* b, size_t from, size_t n) {
    for (size_t i = n; i > from; --i) {
        const char c = b[i - 1];
        if (c == '\n' || (c == '\r' && i < n)) return i;
    }
    return from;
}

// Room in the columns for the lines of a file of which `sample` is a run of
// whole lines and `dataBytes` all the bytes after the header: 10 % more than
// the estimate from the first 4 KB. Reserved room that stays unused costs
// address space only, no memory.
size_t ReserveFor(const char* sample, size_t sampleBytes, size_t dataBytes) {
    const size_t probe = std::min<size_t>(sampleBytes, size_t{4} << 10);
    const size_t lines = EstimateLines(sample, sample + probe);
    const double bytes = static_cast<double>(std::max(dataBytes, sampleBytes));
    const double want = static_cast<double>(lines) / static_cast<double>(probe) * bytes * 1.1;
    return static_cast<size_t>(std::min(want, bytes + 1)) + 16;
}

// Samples made resident ahead of the conversion at most, per column.
constexpr size_t kPrefaultAhead = size_t{256} << 10;

}  // namespace

// One read of one file; friend of LineList, whose buffer it uses.
class WaveStream {
  public:
    WaveStream(const HeaderRule& rule, WaveColumns& out, LineList& scratch, size_t chunk)
        : rule_(rule), out_(out), lines_(scratch), buf_(scratch.text_), chunk_(chunk) {
        lines_.spans_.clear();
        lines_.inOrder_ = true;
        buf_.clear();
    }

    bool Read(const std::string& path) {
        out_.clear();
        off_t size = 0;
        int fd = OpenRegularFile(path, &size);
        if (fd < 0) return false;
        FileHandle file(fd);
        fd_ = fd;
        size_ = static_cast<size_t>(size);
        Result r = Stream();
        if (r == Result::WholeFile) r = WholeFile();
        buf_.clear();
        if (r == Result::Failed) out_.clear();
        return r == Result::Done;
    }

  private:
    enum class Result { Done, Failed, WholeFile };

    // One read onto the end of the buffer, growing it when full.
    bool Fill() {
        if (buf_.size() == buf_.capacity()) buf_.reserve(std::max(buf_.capacity() * 2, chunk_));
        const ssize_t r = ReadMore(fd_, buf_);
        if (r == 0) eof_ = true;
        return r >= 0;
    }

    Result Stream() {
        buf_.reserve(chunk_);
        // The whole header, the byte after a final CR, and three bytes for a
        // byte-order mark.
        size_t brk;
        for (;;) {
            const char* b = buf_.data();
            const size_t n = buf_.size();
            brk = FindLineBreak(b, 0, n);
            const bool whole = brk < n && !(b[brk] == '\r' && brk + 1 == n);
            if ((whole && n >= 3) || eof_) break;
            if (!Fill()) return Result::Failed;
        }
        const std::string_view head = buf_.view();
        if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return Result::WholeFile;
        // UTF-8 and CP932 differ only in non-ASCII bytes, and those never take
        // part in a number, a delimiter or a line break (CP932 trail bytes lie
        // at 0x40 and above, and a character without a CP932 form becomes '?'),
        // so data lines convert alike in either: only the header is decoded.
        const size_t start = head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
        if (head.size() == start) return Result::Failed;  // no line at all
        const std::string_view raw = head.substr(start, brk - start);
        // Without a mark, the whole file decides whether it is UTF-8; a header
        // that is valid non-ASCII UTF-8 waits for the verdict of the rest.
        utf8Open_ = !start && HasNonAscii(raw) && IsValidUtf8(raw);
        if (start)
            header_ = Utf8ToCp932(raw);
        else
            header_.assign(raw);
        const std::optional<DataRule> rule = rule_(header_);
        const size_t dataStart = AfterBreak(buf_.data(), brk, buf_.size());
        const Result r = rule ? StreamData(dataStart, *rule) : Drain(dataStart);
        if (r != Result::Done || !utf8Open_) return r;
        // Valid UTF-8 throughout: the header is read as UTF-8. Any rule so far
        // looks only at ASCII bytes, but should it answer otherwise now, the
        // file is read again whole.
        header_ = Utf8ToCp932(header_);
        const std::optional<DataRule> again = rule_(header_);
        return SameRule(rule, again) ? Result::Done : Result::WholeFile;
    }

    static bool SameRule(const std::optional<DataRule>& a, const std::optional<DataRule>& b) {
        if (!a || !b) return !a && !b;
        return a->delimiter == b->delimiter && a->decimalComma == b->decimalComma &&
               a->perLine == b->perLine;
    }

    // The columns' pages for the lines still to come, in one call per column
    // and step instead of a fault per page: as many lines as the bytes left
    // hold at the length of the lines so far (which grow, if anything, as
    // their times take more digits), at most kPrefaultAhead.
    void PrefaultAhead(size_t doneBytes, size_t headerBytes) {
        const size_t have = out_.size();
        if (have == 0 || doneBytes == 0) return;
        const size_t left = size_ - std::min(size_, headerBytes + doneBytes);
        const size_t coming = static_cast<size_t>(
            static_cast<double>(left) / static_cast<double>(doneBytes) * static_cast<double>(have));
        if (!advised_) {
            advised_ = true;
            // Large pages for as much as the file is expected to fill, but
            // not for the reserve beyond: a large page is resident whole.
            const size_t expected = std::min(out_.t.capacity(), have + coming);
            for (const std::vector<double>* c : {&out_.t, &out_.y1, &out_.y2, &out_.y3})
                AdviseLargePages(c->data(), expected * sizeof(double));
        }
        const size_t target = std::min({out_.t.capacity(), have + coming, have + kPrefaultAhead});
        if (target < prefaulted_ + kPrefaultAhead / 2 && target < have + coming) return;
        const size_t from = std::max(prefaulted_, have);
        if (target <= from) return;
        for (const std::vector<double>* c : {&out_.t, &out_.y1, &out_.y2, &out_.y3})
            PrefaultForWrite(c->data() + from, (target - from) * sizeof(double));
        prefaulted_ = target;
    }

    // Lines after the header from buffer position `pos` on.
    Result StreamData(size_t pos, const DataRule& rule) {
        const size_t headerBytes = pos;
        size_t done = 0;  // bytes converted
        bool reserved = false;
        for (;;) {
            char* b = buf_.data();
            const size_t n = buf_.size();
            size_t end = eof_ ? n : AfterLastWholeBreak(b, pos, n);
            // The last line may lack its break: the padding lends one.
            const bool lent = eof_ && end > pos && !IsLineBreak(b[end - 1]);
            if (lent) b[end++] = '\n';
            if (end > pos) {
                // Runs end after a line break, so no character straddles two.
                if (utf8Open_) utf8Open_ = IsValidUtf8(std::string_view(b + pos, end - pos));
                if (!reserved) {
                    out_.reserve(
                        ReserveFor(b + pos, end - pos, size_ - std::min(size_, headerBytes)));
                    reserved = true;
                }
                ConvertDataBlock(b + pos, b + end, rule, out_);
                done += end - pos;
                PrefaultAhead(done, headerBytes);
            }
            if (lent) b[n] = 0;
            if (eof_) return Result::Done;
            // The unfinished line moves to the front; the next read goes after it.
            const size_t keep = n - end;
            std::memmove(b, b + end, keep);
            buf_.resize(keep);
            pos = 0;
            if (!Fill()) return Result::Failed;
        }
    }

    // The rest of the file is not converted, but still read: a read error
    // makes the file unreadable, as it does for ReadWaveLines, and the bytes
    // may still make the file UTF-8.
    Result Drain(size_t pos) {
        for (;;) {
            char* b = buf_.data();
            const size_t n = buf_.size();
            const size_t end = eof_ ? n : AfterLastWholeBreak(b, pos, n);
            if (utf8Open_) utf8Open_ = IsValidUtf8(std::string_view(b + pos, end - pos));
            if (eof_) return Result::Done;
            const size_t keep = n - end;
            std::memmove(b, b + end, keep);
            buf_.resize(keep);
            pos = 0;
            if (!Fill()) return Result::Failed;
        }
    }

    // UTF-16 files, and the odd case above: read whole, decode, convert.
    Result WholeFile() {
        out_.clear();
        buf_.clear();
        eof_ = false;
        if (::lseek(fd_, 0, SEEK_SET) != 0) return Result::Failed;
        if (!ReadToEnd(fd_, buf_, size_)) return Result::Failed;
        if (DetectEncoding(buf_.view()) != TextEncoding::Cp932)
            buf_.assign(DecodeToCp932(buf_.view()));
        const size_t n = buf_.size();
        if (n == 0) return Result::Failed;  // no line at all
        char* b = buf_.data();
        const size_t brk = FindLineBreak(b, 0, n);
        const std::optional<DataRule> rule = rule_(std::string_view(b, brk));
        if (!rule) return Result::Done;
        const size_t pos = AfterBreak(b, brk, n);
        size_t end = n;
        const bool lent = end > pos && !IsLineBreak(b[end - 1]);
        if (lent) b[end++] = '\n';
        if (end > pos) {
            out_.reserve(EstimateLines(b + pos, b + end));
            ConvertDataBlock(b + pos, b + end, *rule, out_);
        }
        if (lent) b[n] = 0;
        return Result::Done;
    }

    const HeaderRule& rule_;
    WaveColumns& out_;
    LineList& lines_;
    ByteBuffer& buf_;
    size_t chunk_;
    int fd_ = -1;
    size_t size_ = 0;
    bool eof_ = false;
    bool utf8Open_ = false;  // all bytes so far are valid UTF-8, the header non-ASCII
    size_t prefaulted_ = 0;  // samples of the columns made resident ahead
    bool advised_ = false;   // large pages asked for
    std::string header_;
};

bool ReadWaveSamples(const std::string& path, const HeaderRule& rule, WaveColumns& out,
                     LineList& scratch, size_t chunk) {
    try {
        return WaveStream(rule, out, scratch, std::max<size_t>(chunk, 16)).Read(path);
    } catch (const std::exception&) {  // out of memory on a giant file
        out.clear();
        scratch.clear();
        return false;
    }
}

}  // namespace vx
