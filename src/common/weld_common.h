#pragma once
// The per-window utility object: text lookup with the language offset, the
// process priority and the delimited-field splitter. Form clearing and the
// message box live with the windows (common/ui).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vx {

// Priority classes of the process, as set by SetPriority.
enum class PriorityClass { Realtime, High, AboveNormal, Normal, BelowNormal, Idle };

// nice value that stands for a class on Linux.
int NiceOf(PriorityClass c);
// SetPriority's code table: 1..6, anything else normal.
PriorityClass PriorityClassOfCode(int code);

// The operating-system side of SetPriority, replaceable in tests.
class PriorityBackend {
  public:
    virtual ~PriorityBackend() = default;
    virtual int CurrentNice() = 0;
    // Returns false when refused (no permission); SetPriority ignores it.
    virtual bool SetNice(int nice) = 0;
    virtual void SleepMs(int ms) = 0;
};

// setpriority/getpriority on the own process.
PriorityBackend& SystemPriorityBackend();

inline constexpr int kLanguageJapanese = 0;
inline constexpr int kLanguageEnglish = 1;

class WeldCommon {
  public:
    explicit WeldCommon(PriorityBackend* backend = nullptr);

    void SetPriority(int code);
    void SetLanguage(int code);  // English texts, whatever the code
    // After SetLanguage: the Japanese texts instead (the user's choice).
    void UseJapaneseTexts() { Offset = 0; }
    int TextOffset() const { return Offset; }
    // CP932 bytes of text Offset + id; empty when the table has none.
    std::string LoadText(int id) const;
    // The same text as UTF-8, for display.
    std::string LoadTextUtf8(int id) const;

    // Splits `text` at `delimiter` into at most maxFields fields; returns how
    // many were stored. With clearFirst the first maxFields fields are emptied
    // first. The last field stored holds the rest up to the next delimiter.
    static int SplitFields(std::string_view text, std::string_view delimiter, bool clearFirst,
                           int maxFields, std::string* fields);

    int32_t Offset = 0;
    int32_t Language = 0;

  private:
    PriorityBackend* backend_;
};

// The text-offset copy read by the folder dialog.
extern int32_t LangOffset;

}  // namespace vx
