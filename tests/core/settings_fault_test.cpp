// The settings file under faults: garbage, a 10 MB file, 100 KB values, things
// that are no file. Loading gives the defaults wherever a value is unusable and
// never blocks; a save either completes or leaves the old file byte for byte.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <random>
#include <thread>

#include "common/encoding.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"
#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ScratchDir;
using settings_test::WriteBytes;
using namespace std::string_literals;

constexpr int32_t kDefaultMax[4] = {600, 100, 100, 10000};
constexpr size_t k100KB = 100 * 1024;

// The whole file in one read (a 10 MB file byte by byte is slow under the sanitizers).
std::string ReadBytes(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return "<unreadable>";
    std::string s(size, '\0');
    std::ifstream(path, std::ios::binary).read(s.data(), static_cast<std::streamsize>(size));
    return s;
}

std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen() & 0xFF);
    return s;
}

// About 10 MB of other sections and keys, the scales last.
std::string TenMegabytes() {
    std::string s;
    s.reserve(10u << 20);
    for (int i = 0; s.size() < (10u << 20); ++i)
        s += "[OTHER" + std::to_string(i) + "]\r\nKEY=" + std::string(100, 'v') + "\r\n";
    return s + "[SCALE]\r\nCURRENT=5,6\r\nTIME_R=7,8\r\n";
}

// Lines that open a section name and never close it, 1 MB of them, the scales
// last. Each such line once searched the whole text before it for a "]", which
// made this file take hours to load.
std::string UnclosedBrackets() {
    std::string s;
    s.reserve(1u << 20);
    while (s.size() < (1u << 20)) s += "[\n";
    return s + "[SCALE]\nCURRENT=1,2\n";
}

// Loads on a thread of its own: a load that does not end within a minute fails
// the test instead of holding up the whole run (the thread is left to finish).
std::optional<WeldWaveSetting> LoadWithin60s(const std::string& path) {
    auto done = std::make_shared<std::promise<WeldWaveSetting>>();
    std::future<WeldWaveSetting> result = done->get_future();
    std::thread([done, path] {
        WeldWaveSetting s;
        LoadWaveSetting(path, s);
        done->set_value(s);
    }).detach();
    if (result.wait_for(std::chrono::seconds(60)) != std::future_status::ready) return std::nullopt;
    return result.get();
}

struct Scale {
    int32_t min, max;
};

struct FaultCase {
    const char* name;
    std::function<std::string()> bytes;
    Scale current, timeRecom;          // the rest must be defaults
    std::optional<std::string> check;  // nullopt: the default list
    bool saves;                        // a save may replace the file
};

std::ostream& operator<<(std::ostream& os, const FaultCase& c) { return os << c.name; }

std::vector<FaultCase> Cases() {
    const Scale dc{0, 600}, dt{0, 10000};
    return {
        {"random_bytes", [] { return RandomBytes(4096, 1); }, dc, dt, {}, true},
        {"random_bytes_after_scale_section",
         [] { return "[SCALE]\r\n" + RandomBytes(4096, 2); },
         dc,
         dt,
         {},
         true},
        // UTF-16 that does not decode could not be written back faithfully.
        {"undecodable_utf16", [] { return "\xFF\xFE" + RandomBytes(4095, 3); }, dc, dt, {}, false},
        {"broken_values",
         [] { return "[SCALE]\nCURRENT=\x81\x81,\xFF\nTIME_R=\0,5\n[FORMAT]\nFORMAT_CHECK=\n"s; },
         dc,
         {0, 5},
         std::string(),
         true},
        {"ten_megabytes", TenMegabytes, {5, 6}, {7, 8}, {}, true},
        {"one_megabyte_of_unclosed_brackets", UnclosedBrackets, {1, 2}, dt, {}, true},
        {"ten_megabytes_one_line", [] { return std::string(10u << 20, 'x'); }, dc, dt, {}, true},
        // Values are read as at most 2047 characters: a 100 KB number is no number.
        {"value_100kb_digits",
         [] {
             return "[SCALE]\nCURRENT=" + std::string(k100KB, '7') + "\nTIME_R=1," +
                    std::string(k100KB, '9') + "\n";
         },
         dc,
         {1, 10000},
         {},
         true},
        {"value_100kb_blanks_around",
         [] {
             return "[SCALE]\nCURRENT=" + std::string(k100KB, ' ') + "12,34" +
                    std::string(k100KB, ' ') + "\n";
         },
         {12, 34},
         dt,
         {},
         true},
        {"section_and_key_100kb",
         [] {
             return "[" + std::string(k100KB, 'S') + "]\n" + std::string(k100KB, 'K') +
                    "=1\n[SCALE]\nCURRENT=3,4\n";
         },
         {3, 4},
         dt,
         {},
         true},
    };
}

class SettingsFaultTest : public ::testing::TestWithParam<FaultCase> {};

// Fails the write after the first few bytes, as a full disk does.
class DiskFull : public FileOps {
  public:
    long Write(int fd, const char* d, size_t n) override {
        if (wrote_) {
            errno = ENOSPC;
            return -1;
        }
        wrote_ = true;
        return FileOps::Write(fd, d, std::min<size_t>(n, 5));
    }

  private:
    bool wrote_ = false;
};

void ExpectScales(const WeldWaveSetting& s, Scale current, Scale timeRecom) {
    for (int k = 0; k < 4; ++k) {
        Scale g = k == kCurrent ? current : Scale{0, kDefaultMax[k]};
        Scale r = k == kTime ? timeRecom : Scale{0, kDefaultMax[k]};
        EXPECT_EQ(s.Scale.Graph[k].Min, g.min) << k;
        EXPECT_EQ(s.Scale.Graph[k].Max, g.max) << k;
        EXPECT_EQ(s.Scale.GraphRecom[k].Min, r.min) << k;
        EXPECT_EQ(s.Scale.GraphRecom[k].Max, r.max) << k;
    }
}

TEST_P(SettingsFaultTest, LoadsWhatIsUsableAndSavesWholeOrNotAtAll) {
    const FaultCase& c = GetParam();
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string old = c.bytes();
    WriteBytes(path, old);

    std::optional<WeldWaveSetting> loaded = LoadWithin60s(path);
    ASSERT_TRUE(loaded) << "the load did not end within a minute";
    WeldWaveSetting s = *loaded;
    ExpectScales(s, c.current, c.timeRecom);
    EXPECT_EQ(s.Format.Check, c.check.value_or(DefaultFormatCheck()));

    s.Scale.Graph[kVoltage] = {-5, 55, ""};
    DiskFull full;
    EXPECT_THROW(SaveWaveSetting(path, s, full), SettingsWriteError);
    EXPECT_TRUE(ReadBytes(path) == old) << "the old file changed";
    EXPECT_EQ(dir.EntryCount(), 1u) << "a temporary file was left";

    if (!c.saves) {
        EXPECT_THROW(SaveWaveSetting(path, s), SettingsWriteError);
        EXPECT_TRUE(ReadBytes(path) == old) << "the old file changed";
        return;
    }
    SaveWaveSetting(path, s);
    WeldWaveSetting back;
    LoadWaveSetting(path, back);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(back.Scale.Graph[k], s.Scale.Graph[k]) << k;
        EXPECT_EQ(back.Scale.GraphRecom[k], s.Scale.GraphRecom[k]) << k;
    }
    EXPECT_EQ(back.Format.Check, s.Format.Check);
}

INSTANTIATE_TEST_SUITE_P(Files, SettingsFaultTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<FaultCase>& i) {
                             return std::string(i.param.name);
                         });

TEST(SettingsFault, LongFormatCheckIsCutAtAWholeCharacter) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string unit = Utf8ToCp932("時間[msec],");  // 9 characters, 11 bytes
    std::string value;
    while (value.size() < k100KB) value += unit;
    WriteBytes(path, "[FORMAT]\r\nFORMAT_CHECK=" + value + "\r\n");

    WeldWaveSetting s;
    LoadWaveSetting(path, s);
    // 2047 characters: 227 whole units, then the two double-byte characters
    // and "[m" of the next one.
    const size_t bytes = 227 * unit.size() + 4 + 2;
    EXPECT_EQ(s.Format.Check, value.substr(0, bytes));
    const std::vector<std::string> entries = ParseFormatCheck(s.Format.Check);
    ASSERT_EQ(entries.size(), 228u);
    EXPECT_EQ(entries[0], Utf8ToCp932("時間[msec]"));
    EXPECT_EQ(entries.back(), Utf8ToCp932("時間[m"));
}

// Something that is no regular file in the settings file's place: the load
// neither blocks nor fails, and a save leaves it alone.
TEST(SettingsFault, FifoInPlaceOfTheFileGivesDefaultsWithoutBlocking) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto load = std::async(std::launch::async, [&] {
        WeldWaveSetting s;
        LoadWaveSetting(path, s);
        return s;
    });
    if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "load blocked";
        int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    WeldWaveSetting s = load.get();
    ExpectScales(s, {0, 600}, {0, 10000});
    EXPECT_EQ(s.Format.Check, DefaultFormatCheck());

    EXPECT_THROW(SaveWaveSetting(path, s), SettingsWriteError);
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

}  // namespace
}  // namespace vx
