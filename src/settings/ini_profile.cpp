#include "settings/ini_profile.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "common/encoding.h"

namespace vx {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Cuts `s` after `maxChars` characters without splitting a double-byte one.
void TruncateCp932(std::string& s, size_t maxChars) {
    size_t i = 0, n = 0;
    while (i < s.size() && n < maxChars) {
        i += (IsCp932Lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
        ++n;
    }
    s.resize(i);
}

// A line break cannot be part of one INI line.
std::string_view OneLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

// Strict conversion: any invalid input fails as a whole.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = 0;
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        used = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        out.resize(out.size() * 2);
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(used);
    return out;
}

struct Line {
    size_t begin;  // content [begin, end)
    size_t end;
    size_t next;  // after the line break
};

std::vector<Line> SplitLines(std::string_view t) {
    std::vector<Line> lines;
    size_t i = 0;
    while (i < t.size()) {
        size_t pos = t.find_first_of("\r\n", i);
        if (pos == std::string_view::npos) {
            lines.push_back({i, t.size(), t.size()});
            break;
        }
        size_t next = pos + 1;
        if (t[pos] == '\r' && next < t.size() && t[next] == '\n') ++next;
        lines.push_back({i, pos, next});
        i = next;
    }
    return lines;
}

enum class Kind { Blank, Comment, Section, Entry };

struct Parsed {
    Kind kind = Kind::Blank;
    std::string_view name;   // section or key name
    bool hasValue = false;   // an entry with "="
    size_t nameEnd = 0;      // end of the key name after trimming
    size_t valueBegin = 0;   // first non-blank after "="
    std::string_view value;  // trimmed
};

Parsed ParseLine(std::string_view t, const Line& l) {
    Parsed p;
    size_t s = l.begin;
    while (s < l.end && IsBlank(t[s])) ++s;
    if (s == l.end) return p;
    if (t[s] == ';' || t[s] == '#') {
        p.kind = Kind::Comment;
        return p;
    }
    if (t[s] == '[') {
        // Only this line's own "]" counts: searching back from its end past its
        // start made every unclosed "[" line cost the whole text before it.
        size_t close = t.substr(s, l.end - s).rfind(']');
        if (close != std::string_view::npos && close > 0) {
            p.kind = Kind::Section;
            p.name = t.substr(s + 1, close - 1);
            return p;
        }
    }
    // Everything else is an entry, as the Windows reader sees it.
    p.kind = Kind::Entry;
    size_t e = l.end;
    while (e > s && IsBlank(t[e - 1])) --e;
    size_t eq = t.substr(0, e).find('=', s);
    size_t nameEnd = eq == std::string_view::npos ? e : eq;
    while (nameEnd > s && IsBlank(t[nameEnd - 1])) --nameEnd;
    p.name = t.substr(s, nameEnd - s);
    p.nameEnd = nameEnd;
    if (eq != std::string_view::npos) {
        p.hasValue = true;
        size_t v = eq + 1;
        while (v < e && IsBlank(t[v])) ++v;
        p.valueBegin = v;
        p.value = t.substr(v, e - v);
    }
    return p;
}

}  // namespace

SettingsWriteError::SettingsWriteError(const std::string& path)
    : std::runtime_error(path + " に書き込めません"), path_(path) {}

int FileOps::Open(const std::string& path, int flags, int mode) {
    return ::open(path.c_str(), flags, mode);
}
long FileOps::Write(int fd, const char* data, size_t size) { return ::write(fd, data, size); }
int FileOps::Sync(int fd) { return ::fsync(fd); }
int FileOps::Close(int fd) { return ::close(fd); }
int FileOps::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str());
}
int FileOps::Unlink(const std::string& path) { return ::unlink(path.c_str()); }

FileOps& SystemFileOps() {
    static FileOps ops;
    return ops;
}

IniFile IniFile::Load(const std::string& path) {
    IniFile f;
    // Non-blocking open: a FIFO in the file's place must not hang the reader.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        f.readFailed_ = errno != ENOENT;
        return f;
    }
    struct stat st {};
    std::string bytes;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        char buf[65536];
        for (;;) {
            ssize_t r = ::read(fd, buf, sizeof buf);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) ok = false;
            if (r <= 0) break;
            bytes.append(buf, static_cast<size_t>(r));
        }
    }
    ::close(fd);
    if (!ok) {
        f.readFailed_ = true;
        return f;
    }

    std::string_view b = bytes;
    if (b.substr(0, 3) == "\xEF\xBB\xBF") {
        f.encoding_ = Encoding::Utf8;
        f.bom_ = b.substr(0, 3);
        f.text_ = b.substr(3);
    } else if (b.substr(0, 2) == "\xFF\xFE" || b.substr(0, 2) == "\xFE\xFF") {
        bool le = b[0] == '\xFF';
        f.encoding_ = le ? Encoding::Utf16LE : Encoding::Utf16BE;
        f.bom_ = b.substr(0, 2);
        auto text = Convert("UTF-8", le ? "UTF-16LE" : "UTF-16BE", b.substr(2));
        // Text we cannot decode is text we could not write back faithfully.
        if (!text) {
            f.readFailed_ = true;
            f.bom_.clear();
            return f;
        }
        f.text_ = std::move(*text);
    } else {
        f.encoding_ = (HasNonAscii(b) && IsValidUtf8(b)) ? Encoding::Utf8 : Encoding::Cp932;
        f.text_ = std::move(bytes);
    }
    return f;
}

std::string IniFile::ToFile(std::string_view cp932) const {
    if (encoding_ == Encoding::Cp932) return std::string(cp932);
    return Cp932ToUtf8(cp932);
}

std::string IniFile::LineEnd() const {
    size_t pos = text_.find_first_of("\r\n");
    if (pos == std::string::npos) return "\n";
    if (text_[pos] == '\n') return "\n";
    return (pos + 1 < text_.size() && text_[pos + 1] == '\n') ? "\r\n" : "\r";
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    const std::string sec = ToFile(section), k = ToFile(key);
    bool inSection = false, seen = false;
    for (const Line& l : SplitLines(text_)) {
        Parsed p = ParseLine(text_, l);
        if (p.kind == Kind::Section) {
            // Only the first section of a name counts.
            inSection = !seen && EqualNoCase(p.name, sec);
            seen = seen || inSection;
            continue;
        }
        if (!inSection || p.kind != Kind::Entry || !p.hasValue || !EqualNoCase(p.name, k)) continue;
        std::string_view v = p.value;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        std::string out = encoding_ == Encoding::Cp932 ? std::string(v) : Utf8ToCp932(v);
        TruncateCp932(out, kMaxProfileValue);
        return out;
    }
    return std::nullopt;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sec = ToFile(OneLine(section)), k = ToFile(OneLine(key));
    const std::string v = ToFile(OneLine(value));
    const std::vector<Line> lines = SplitLines(text_);

    bool inSection = false, seen = false;
    size_t insertAfter = lines.size();  // line after which a new key goes
    for (size_t i = 0; i < lines.size(); ++i) {
        Parsed p = ParseLine(text_, lines[i]);
        if (p.kind == Kind::Section) {
            if (inSection) break;
            inSection = !seen && EqualNoCase(p.name, sec);
            if (inSection) {
                seen = true;
                insertAfter = i;
            }
            continue;
        }
        if (!inSection || p.kind != Kind::Entry) continue;
        insertAfter = i;
        if (!EqualNoCase(p.name, k)) continue;
        // Replace the value, keep the key as written and the line break.
        if (p.hasValue)
            text_.replace(p.valueBegin, lines[i].end - p.valueBegin, v);
        else
            text_.replace(p.nameEnd, lines[i].end - p.nameEnd, "=" + v);
        return;
    }

    const std::string eol = LineEnd();
    if (seen) {
        const Line& l = lines[insertAfter];
        if (l.next == l.end)  // last line without a line break
            text_.insert(l.end, eol + k + "=" + v);
        else
            text_.insert(l.next, k + "=" + v + eol);
        return;
    }
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') text_ += eol;
    text_ += "[" + sec + "]" + eol + k + "=" + v + eol;
}

std::optional<std::string> IniFile::Encoded() const {
    if (encoding_ == Encoding::Utf16LE || encoding_ == Encoding::Utf16BE) {
        auto bytes =
            Convert(encoding_ == Encoding::Utf16LE ? "UTF-16LE" : "UTF-16BE", "UTF-8", text_);
        if (!bytes) return std::nullopt;
        return bom_ + *bytes;
    }
    return bom_ + text_;
}

std::string IniFile::Text() const { return Encoded().value_or(std::string()); }

void IniFile::SaveAtomically(const std::string& path, FileOps& ops) const {
    namespace fs = std::filesystem;
    if (readFailed_) throw SettingsWriteError(path);  // never replace what we could not read
    const std::optional<std::string> encoded = Encoded();
    if (!encoded) throw SettingsWriteError(path);
    const std::string& bytes = *encoded;

    // Replace the file a link points to, not the link.
    std::string target = path;
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec) target = resolved.string();
    }
    fs::path tp(target);
    const std::string base = tp.filename().string();
    if (base.empty()) throw SettingsWriteError(path);
    const std::string dir = tp.has_parent_path() ? tp.parent_path().string() : ".";

    static std::atomic<unsigned> counter{0};
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = dir + "/." + base + "." + std::to_string(::getpid()) + "." +
              std::to_string(counter++) + ".tmp";
        fd = ops.Open(tmp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) throw SettingsWriteError(path);

    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(fd, st.st_mode & 07777);  // keep the old file's permissions

    auto fail = [&](bool open) {
        if (open) ops.Close(fd);
        ops.Unlink(tmp);
        throw SettingsWriteError(path);
    };
    size_t done = 0;
    while (done < bytes.size()) {
        long r = ops.Write(fd, bytes.data() + done, bytes.size() - done);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) fail(true);
        done += static_cast<size_t>(r);
    }
    if (ops.Sync(fd) != 0) fail(true);
    if (ops.Close(fd) != 0) fail(false);
    if (ops.Rename(tmp, target) != 0) fail(false);

    // Make the rename itself durable; the new file is in place either way.
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

std::string GetPrivateProfileString(const std::string& path, std::string_view section,
                                    std::string_view key, std::string_view defaultValue) {
    if (auto v = IniFile::Load(path).Get(section, key)) return *v;
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    std::string def(defaultValue);
    TruncateCp932(def, kMaxProfileValue);
    return def;
}

void WritePrivateProfileString(const std::string& path, std::string_view section,
                               std::string_view key, std::string_view value) {
    IniFile f = IniFile::Load(path);
    f.Set(section, key, value);
    f.SaveAtomically(path);
}

}  // namespace vx
