// `varmonix --dump` as a whole on an arbitrary settings file and wave file.
// Input layout (FuzzedDataProvider): the settings file as an escaped string
// (ends at a backslash followed by another character; "\\" is one backslash),
// then the wave file; the last byte's low bit asks for --summary.
// Every output line must be one valid JSON object.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "app/dump.h"
#include "common/encoding.h"
#include "common/json_text.h"
#include "fuzz_support.h"
#include "wavefile/wave_csv.h"

using namespace vx;

namespace {

// A strict JSON reader that only says whether the text is one valid value.
class JsonCheck {
  public:
    explicit JsonCheck(std::string_view s) : s_(s) {}
    bool WholeValue() {
        Blank();
        if (!Value(0)) return false;
        Blank();
        return i_ == s_.size();
    }

  private:
    bool Value(int depth) {
        if (depth > 64 || i_ >= s_.size()) return false;
        switch (s_[i_]) {
            case '{':
                return Object(depth);
            case '[':
                return Array(depth);
            case '"':
                return String();
            case 't':
                return Word("true");
            case 'f':
                return Word("false");
            case 'n':
                return Word("null");
            default:
                return Number();
        }
    }
    bool Object(int depth) {
        ++i_;
        Blank();
        if (Eat('}')) return true;
        for (;;) {
            Blank();
            if (i_ >= s_.size() || s_[i_] != '"' || !String()) return false;
            Blank();
            if (!Eat(':')) return false;
            Blank();
            if (!Value(depth + 1)) return false;
            Blank();
            if (Eat('}')) return true;
            if (!Eat(',')) return false;
        }
    }
    bool Array(int depth) {
        ++i_;
        Blank();
        if (Eat(']')) return true;
        for (;;) {
            Blank();
            if (!Value(depth + 1)) return false;
            Blank();
            if (Eat(']')) return true;
            if (!Eat(',')) return false;
        }
    }
    bool String() {
        ++i_;
        while (i_ < s_.size()) {
            unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (c == '"') {
                ++i_;
                return true;
            }
            if (c < 0x20) return false;
            if (c == '\\') {
                if (++i_ >= s_.size()) return false;
                char e = s_[i_++];
                if (e == 'u') {
                    for (int k = 0; k < 4; ++k, ++i_)
                        if (i_ >= s_.size() || !std::isxdigit(static_cast<unsigned char>(s_[i_])))
                            return false;
                } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                    return false;
                }
                continue;
            }
            if (c < 0x80) {
                ++i_;
                continue;
            }
            size_t len = Utf8Length(c);
            if (len == 0 || i_ + len > s_.size()) return false;
            if (!vx::IsValidUtf8(s_.substr(i_, len))) return false;
            i_ += len;
        }
        return false;
    }
    bool Number() {
        size_t start = i_;
        Eat('-');
        if (Eat('0')) {
        } else if (!Digits()) {
            return false;
        }
        if (Eat('.') && !Digits()) return false;
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (!Eat('+')) Eat('-');
            if (!Digits()) return false;
        }
        return i_ > start;
    }
    bool Digits() {
        size_t start = i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        return i_ > start;
    }
    bool Word(std::string_view w) {
        if (s_.substr(i_, w.size()) != w) return false;
        i_ += w.size();
        return true;
    }
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void Blank() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }
    static size_t Utf8Length(unsigned char c) {
        return (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    }

    std::string_view s_;
    size_t i_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool summary = in.ConsumeBool();
    const std::string ini = in.ConsumeRandomLengthString(size);
    const std::string wave = in.ConsumeRemainingBytesAsString();

    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::Get();
    const std::string iniPath = folder.Write("Varmonix.ini", ini);
    const std::string wavePath = folder.Write("input.csv", wave);

    std::vector<std::string> args = {"--dump", "--settings", iniPath, wavePath};
    if (summary) args.push_back("--summary");
    std::ostringstream out, err;
    const int rc = RunDump(args, out, err, folder.Path("none.ini"));

    LineList lines;
    const bool readable = ReadWaveLines(wavePath, lines);
    VX_FUZZ_CHECK(rc == (readable ? 0 : 1));
    const std::string text = out.str();
    VX_FUZZ_CHECK(!text.empty() && text.back() == '\n');
    // One file, one line.
    VX_FUZZ_CHECK(text.find('\n') == text.size() - 1);
    VX_FUZZ_CHECK(JsonCheck(std::string_view(text).substr(0, text.size() - 1)).WholeValue());
    VX_FUZZ_CHECK(text.find(readable ? "\"readable\":true" : "\"readable\":false") !=
                  std::string::npos);

    // The string writer on raw bytes (the settings part) alone.
    std::string literal;
    AppendJsonString(literal, ini);
    VX_FUZZ_CHECK(JsonCheck(literal).WholeValue());
    return 0;
}
