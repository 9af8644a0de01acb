#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/encoding.h"
#include "settings/ini_profile.h"
#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

struct GetCase {
    const char* name;
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> want;
};

TEST(IniFileGet, FollowsTheProfileReadingRules) {
    const GetCase cases[] = {
        {"plain", "[SCALE]\nCURRENT=0,600\n", "SCALE", "CURRENT", "0,600"},
        {"letter case", "[scale]\ncurrent=1,2\n", "SCALE", "Current", "1,2"},
        {"blanks trimmed", "[SCALE]\r\n  CURRENT  = \t5,6   \r\n", "SCALE", "CURRENT", "5,6"},
        {"double quotes", "[S]\nK=\" a b \"\n", "S", "K", " a b "},
        {"single quotes", "[S]\nK='x'\n", "S", "K", "x"},
        {"unmatched quotes kept", "[S]\nK=\"x'\n", "S", "K", "\"x'"},
        {"a lone quote", "[S]\nK=\"\n", "S", "K", "\""},
        {"quoted empty", "[S]\nK=\"\"\n", "S", "K", ""},
        {"empty value is a value", "[S]\nK=\n", "S", "K", ""},
        {"equals sign inside", "[S]\nK=a=b\n", "S", "K", "a=b"},
        {"key of another section", "[OTHER]\nK=1\n[S]\nL=2\n", "S", "K", std::nullopt},
        {"key before any section", "K=1\n[S]\n", "S", "K", std::nullopt},
        {"second section of a name ignored", "[S]\nA=1\n[s]\nK=2\n", "S", "K", std::nullopt},
        {"first of repeated keys", "[S]\nK=1\nK=2\n", "S", "K", "1"},
        {"line without equals sign", "[S]\nK\n", "S", "K", std::nullopt},
        {"comment line", "[S]\n;K=1\n", "S", "K", std::nullopt},
        {"CR line ends, no final break", "[S]\rA=1\rK=2", "S", "K", "2"},
        {"indented header", "  [S]  \nK=1\n", "S", "K", "1"},
        {"missing section", "[A]\nK=1\n", "S", "K", std::nullopt},
    };
    for (const GetCase& c : cases) {
        ScratchDir dir;
        WriteBytes(dir / "a.ini", c.text);
        EXPECT_EQ(IniFile::Load(dir / "a.ini").Get(c.section, c.key), c.want) << c.name;
    }
}

TEST(IniFileGet, CutsLongValuesAtWholeCharacters) {
    ScratchDir dir;
    const std::string a = Utf8ToCp932("あ");  // two bytes, one character
    WriteBytes(dir / "a.ini", "[S]\nK=" + std::string(2046, 'x') + a + "yy\n");
    EXPECT_EQ(IniFile::Load(dir / "a.ini").Get("S", "K"), std::string(2046, 'x') + a);
}

struct SetCase {
    const char* name;
    const char* before;
    const char* key;
    const char* value;
    const char* after;
};

TEST(IniFileSet, ChangesOnlyTheLineItConcerns) {
    const SetCase cases[] = {
        {"replace in place, line ends and key spelling kept",
         "; top\r\n[Scale]\r\ncurrent = 1,2  \r\nVOLTAGE=3,4\r\n", "CURRENT", "5,6",
         "; top\r\n[Scale]\r\ncurrent = 5,6\r\nVOLTAGE=3,4\r\n"},
        {"quoted value replaced", "[SCALE]\nK=\"old\"\n", "K", "new", "[SCALE]\nK=new\n"},
        {"empty value replaced", "[SCALE]\nK=\n", "K", "5", "[SCALE]\nK=5\n"},
        {"key without value gets one", "[SCALE]\nK\n", "K", "1", "[SCALE]\nK=1\n"},
        {"new key after the last key, not after blank lines", "[SCALE]\nA=1\n\n[FORMAT]\nX=y\n",
         "B", "2", "[SCALE]\nA=1\nB=2\n\n[FORMAT]\nX=y\n"},
        {"comment before the next section stays with it", "[SCALE]\nA=1\n; next\n[B]\n", "C", "3",
         "[SCALE]\nA=1\nC=3\n; next\n[B]\n"},
        {"section without keys", "[SCALE]\n\n[OTHER]\n", "A", "1", "[SCALE]\nA=1\n\n[OTHER]\n"},
        {"last line without a break", "[SCALE]\nA=1", "B", "2", "[SCALE]\nA=1\nB=2"},
        {"only the first section of a name", "[SCALE]\nA=1\n[SCALE]\nB=2\n", "B", "3",
         "[SCALE]\nA=1\nB=3\n[SCALE]\nB=2\n"},
        {"new section at the end", "[OTHER]\nX=1", "A", "1", "[OTHER]\nX=1\n[SCALE]\nA=1\n"},
        {"new section keeps CR LF", "[OTHER]\r\nX=1\r\n", "A", "1",
         "[OTHER]\r\nX=1\r\n[SCALE]\r\nA=1\r\n"},
        {"empty file", "", "A", "1", "[SCALE]\nA=1\n"},
        {"a value cannot start a new line", "[SCALE]\nA=0\n", "A", "1\n[X]", "[SCALE]\nA=1\n"},
    };
    for (const SetCase& c : cases) {
        ScratchDir dir;
        WriteBytes(dir / "a.ini", c.before);
        IniFile f = IniFile::Load(dir / "a.ini");
        f.Set("SCALE", c.key, c.value);
        EXPECT_EQ(f.Text(), c.after) << c.name;
    }
}

TEST(IniFileEncoding, Utf8FileReadsAsCp932AndKeepsItsBytes) {
    for (const std::string bom : {"", "\xEF\xBB\xBF"}) {
        ScratchDir dir;
        const std::string text = bom + "[FORMAT]\r\nFORMAT_CHECK=時間[msec]\r\n[SCALE]\r\nA=1\r\n";
        WriteBytes(dir / "a.ini", text);
        IniFile f = IniFile::Load(dir / "a.ini");
        EXPECT_EQ(f.Get("FORMAT", "FORMAT_CHECK"), Utf8ToCp932("時間[msec]")) << bom.size();
        f.Set("SCALE", "B", "2");
        f.Set("SCALE", "C", Utf8ToCp932("電流"));  // written in the file's own encoding
        EXPECT_EQ(f.Text(), text + "B=2\r\nC=電流\r\n") << bom.size();
    }
}

TEST(IniFileEncoding, Cp932FileStaysCp932) {
    ScratchDir dir;
    const std::string text = "[FORMAT]\n" + Utf8ToCp932("FORMAT_CHECK=時間[msec]\n");
    WriteBytes(dir / "a.ini", text);
    IniFile f = IniFile::Load(dir / "a.ini");
    EXPECT_EQ(f.Get("FORMAT", "FORMAT_CHECK"), Utf8ToCp932("時間[msec]"));
    f.Set("SCALE", "A", "1");
    EXPECT_EQ(f.Text(), text + "[SCALE]\nA=1\n");
}

std::string Utf16Le(std::u16string_view s) {
    std::string b = "\xFF\xFE";
    for (char16_t c : s) {
        b += static_cast<char>(c & 0xFF);
        b += static_cast<char>(c >> 8);
    }
    return b;
}

TEST(IniFileEncoding, Utf16FileIsWrittenBackAsUtf16) {
    ScratchDir dir;
    WriteBytes(dir / "a.ini", Utf16Le(u"[FORMAT]\r\nFORMAT_CHECK=時間[msec]\r\n"));
    IniFile f = IniFile::Load(dir / "a.ini");
    EXPECT_EQ(f.Get("format", "format_check"), Utf8ToCp932("時間[msec]"));
    f.Set("SCALE", "A", "1");
    EXPECT_EQ(f.Text(), Utf16Le(u"[FORMAT]\r\nFORMAT_CHECK=時間[msec]\r\n[SCALE]\r\nA=1\r\n"));
}

TEST(IniFileEncoding, UndecodableUtf16IsNeverSavedOver) {
    ScratchDir dir;
    const std::string broken = Utf16Le(u"[SCALE]\r\n") +
                               "\x41\x00\x00\xD8"
                               "\x41";  // lone surrogate
    WriteBytes(dir / "a.ini", broken);
    IniFile f = IniFile::Load(dir / "a.ini");
    EXPECT_TRUE(f.ReadFailed());
    f.Set("SCALE", "A", "1");
    EXPECT_THROW(f.SaveAtomically(dir / "a.ini"), SettingsWriteError);
    EXPECT_EQ(ReadBytes(dir / "a.ini"), broken);
}

// Fails one step of a save; everything else goes to the real file system.
class FailingOps : public FileOps {
  public:
    enum Step { kOpen, kWrite, kSync, kClose, kRename };
    explicit FailingOps(Step s) : step_(s) {}
    int MakeTemp(std::string& pathTemplate) override {
        if (step_ == kOpen) return Fail(EACCES);
        return FileOps::MakeTemp(pathTemplate);
    }
    long Write(int fd, const char* d, size_t n) override {
        if (step_ != kWrite) return FileOps::Write(fd, d, n);
        if (wrote_) return Fail(ENOSPC);
        wrote_ = true;  // a short write first, then the disk is full
        return FileOps::Write(fd, d, std::min<size_t>(n, 5));
    }
    int Sync(int fd) override { return step_ == kSync ? Fail(EIO) : FileOps::Sync(fd); }
    int Close(int fd) override {
        int r = FileOps::Close(fd);
        return step_ == kClose ? Fail(EIO) : r;
    }
    int Rename(const std::string& a, const std::string& b) override {
        return step_ == kRename ? Fail(EXDEV) : FileOps::Rename(a, b);
    }

  private:
    static int Fail(int e) {
        errno = e;
        return -1;
    }
    Step step_;
    bool wrote_ = false;
};

TEST(IniFileSave, AFailedSaveLeavesTheOldFileWhole) {
    const std::string old = "[SCALE]\r\nCURRENT=0,600\r\n[OTHER]\r\nX=1\r\n";
    for (auto step : {FailingOps::kOpen, FailingOps::kWrite, FailingOps::kSync, FailingOps::kClose,
                      FailingOps::kRename}) {
        ScratchDir dir;
        const std::string path = dir / "Varmonix.ini";
        WriteBytes(path, old);
        IniFile f = IniFile::Load(path);
        f.Set("SCALE", "CURRENT", "100,200");
        FailingOps ops(step);
        try {
            f.SaveAtomically(path, ops);
            ADD_FAILURE() << "no error at step " << step;
        } catch (const SettingsWriteError& e) {
            // The fixed sentence, then the system's reason on a line of its own.
            const int errs[] = {EACCES, ENOSPC, EIO, EIO, EXDEV};
            EXPECT_EQ(std::string(e.what()),
                      path + " に書き込めません\n" + std::strerror(errs[step]))
                << step;
            EXPECT_EQ(e.Reason(), std::strerror(errs[step])) << step;
            EXPECT_EQ(e.Path(), path);
        }
        EXPECT_EQ(ReadBytes(path), old) << step;
        EXPECT_EQ(dir.EntryCount(), 1u) << "temporary file left at step " << step;
    }
}

TEST(IniFileSave, ReportsAFolderThatDoesNotExist) {
    ScratchDir dir;
    const std::string path = dir / "missing/Varmonix.ini";
    EXPECT_THROW(WritePrivateProfileString(path, "SCALE", "A", "1"), SettingsWriteError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniFileSave, NeverReplacesWhatItCouldNotRead) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    std::filesystem::create_directory(path);
    WriteBytes(path + "/keep", "x");
    EXPECT_EQ(GetPrivateProfileString(path, "SCALE", "A", "d"), "d");
    EXPECT_THROW(WritePrivateProfileString(path, "SCALE", "A", "1"), SettingsWriteError);
    EXPECT_EQ(ReadBytes(path + "/keep"), "x");
}

TEST(IniFileSave, KeepsPermissionsAndLinks) {
    ScratchDir dir;
    const std::string real = dir / "real.ini", link = dir / "Varmonix.ini";
    WriteBytes(real, "[SCALE]\nA=0\n");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, link);
    WritePrivateProfileString(link, "SCALE", "A", "1");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "[SCALE]\nA=1\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(PrivateProfileString, CreatesTheFileAndReadsDefaultsWhenMissing) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    EXPECT_EQ(GetPrivateProfileString(path, "SCALE", "A", "dflt  "), "dflt");
    EXPECT_FALSE(std::filesystem::exists(path));
    WritePrivateProfileString(path, "SCALE", "A", "1");
    WritePrivateProfileString(path, "scale", "a", "2");
    EXPECT_EQ(ReadBytes(path), "[SCALE]\nA=2\n");
    EXPECT_EQ(GetPrivateProfileString(path, "SCALE", "A", "dflt"), "2");
}

}  // namespace
}  // namespace vx
