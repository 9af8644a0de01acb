#include "settings/ini_profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/ascii.h"
#include "common/encoding.h"

namespace vx {
namespace {

// The profile rules trim C white space only (not other control bytes).
bool IsProfileSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Cuts `s` after `maxChars` characters without splitting a double-byte one.
void TruncateCp932(std::string& s, size_t maxChars) {
    size_t i = 0, n = 0;
    while (i < s.size() && n < maxChars) {
        i += Cp932CharLength(s, i);
        ++n;
    }
    s.resize(i);
}

// A line break cannot be part of one INI line.
std::string_view OneLine(std::string_view s) { return s.substr(0, s.find_first_of("\r\n")); }

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
    while (s < l.end && IsProfileSpace(t[s])) ++s;
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
    while (e > s && IsProfileSpace(t[e - 1])) --e;
    size_t eq = t.substr(0, e).find('=', s);
    size_t nameEnd = eq == std::string_view::npos ? e : eq;
    while (nameEnd > s && IsProfileSpace(t[nameEnd - 1])) --nameEnd;
    p.name = t.substr(s, nameEnd - s);
    p.nameEnd = nameEnd;
    if (eq != std::string_view::npos) {
        p.hasValue = true;
        size_t v = eq + 1;
        while (v < e && IsProfileSpace(t[v])) ++v;
        p.valueBegin = v;
        p.value = t.substr(v, e - v);
    }
    return p;
}

}  // namespace

SettingsWriteError::SettingsWriteError(const std::string& path, const std::string& reason)
    : std::runtime_error(path + " に書き込めません" + (reason.empty() ? "" : "\n" + reason)),
      path_(path),
      reason_(reason) {}

IniFile IniFile::Load(const std::string& path) {
    IniFile f;
    // Non-blocking open: a FIFO in the file's place must not hang the reader.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        f.readFailed_ = errno != ENOENT;
        if (f.readFailed_) f.readError_ = std::strerror(errno);
        return f;
    }
    struct stat st {};
    std::string bytes;
    bool ok = ::fstat(fd, &st) == 0;
    if (!ok) {
        f.readError_ = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        ok = false;
        f.readError_ = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    } else {
        char buf[65536];
        for (;;) {
            ssize_t r = ::read(fd, buf, sizeof buf);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) {
                ok = false;
                f.readError_ = std::strerror(errno);
            }
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
        auto text = ConvertStrict("UTF-8", le ? "UTF-16LE" : "UTF-16BE", b.substr(2));
        // Text we cannot decode is text we could not write back faithfully.
        if (!text) {
            f.readFailed_ = true;
            f.readError_ = "the UTF-16 text cannot be decoded";
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
            inSection = !seen && EqualNoCaseAscii(p.name, sec);
            seen = seen || inSection;
            continue;
        }
        if (!inSection || p.kind != Kind::Entry || !p.hasValue || !EqualNoCaseAscii(p.name, k))
            continue;
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
            inSection = !seen && EqualNoCaseAscii(p.name, sec);
            if (inSection) {
                seen = true;
                insertAfter = i;
            }
            continue;
        }
        if (!inSection || p.kind != Kind::Entry) continue;
        insertAfter = i;
        if (!EqualNoCaseAscii(p.name, k)) continue;
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
            ConvertStrict(encoding_ == Encoding::Utf16LE ? "UTF-16LE" : "UTF-16BE", "UTF-8", text_);
        if (!bytes) return std::nullopt;
        return bom_ + *bytes;
    }
    return bom_ + text_;
}

std::string IniFile::Text() const { return Encoded().value_or(std::string()); }

void IniFile::SaveAtomically(const std::string& path, FileOps& ops) const {
    // Never replace what we could not read.
    if (readFailed_) throw SettingsWriteError(path, readError_);
    const std::optional<std::string> encoded = Encoded();
    if (!encoded) throw SettingsWriteError(path, "the text has no form in the file's encoding");
    try {
        WriteFileAtomically(path, *encoded, ops);
    } catch (const FileWriteError& e) {
        throw SettingsWriteError(path, e.Reason());
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
