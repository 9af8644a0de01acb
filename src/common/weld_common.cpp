#include "common/weld_common.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "common/text_table.h"

namespace vx {

int32_t LangOffset = 0;

int NiceOf(PriorityClass c) {
    switch (c) {
        case PriorityClass::Realtime:
            return -20;
        case PriorityClass::High:
            return -10;
        case PriorityClass::AboveNormal:
            return -5;
        case PriorityClass::Normal:
            return 0;
        case PriorityClass::BelowNormal:
            return 5;
        case PriorityClass::Idle:
            return 19;
    }
    return 0;
}

PriorityClass PriorityClassOfCode(int code) {
    switch (code) {
        case 1:
            return PriorityClass::Realtime;
        case 2:
            return PriorityClass::High;
        case 3:
            return PriorityClass::AboveNormal;
        case 5:
            return PriorityClass::BelowNormal;
        case 6:
            return PriorityClass::Idle;
        default:
            return PriorityClass::Normal;
    }
}

namespace {

class SystemBackend : public PriorityBackend {
  public:
    int CurrentNice() override {
        errno = 0;
        int n = getpriority(PRIO_PROCESS, 0);
        return errno ? 0 : n;
    }
    bool SetNice(int nice) override { return setpriority(PRIO_PROCESS, 0, nice) == 0; }
    void SleepMs(int ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

PriorityBackend& SystemPriorityBackend() {
    static SystemBackend backend;
    return backend;
}

WeldCommon::WeldCommon(PriorityBackend* backend)
    : backend_(backend ? backend : &SystemPriorityBackend()) {}

void WeldCommon::SetPriority(int code) {
    int wanted = NiceOf(PriorityClassOfCode(code));
    if (backend_->CurrentNice() == wanted) return;
    backend_->SleepMs(10);
    backend_->SetNice(wanted);  // refusal (no permission) is not reported
}

void WeldCommon::SetLanguage(int code) {
    Language = code;
    Offset = 1000;
}

std::string WeldCommon::LoadText(int id) const { return LoadStr(Offset + id); }

std::string WeldCommon::LoadTextUtf8(int id) const { return std::string(LoadStrUtf8(Offset + id)); }

int WeldCommon::SplitFields(std::string_view text, std::string_view delimiter, bool clearFirst,
                            int maxFields, std::string* fields) {
    int count = 0;
    if (clearFirst)
        for (int i = maxFields - 1; i >= 0; --i) fields[i].clear();
    if (text.empty()) return 0;
    while (count < maxFields && !delimiter.empty()) {
        size_t pos = text.find(delimiter);
        if (pos == std::string_view::npos) break;
        fields[count].assign(text.substr(0, pos));
        text.remove_prefix(pos + delimiter.size());
        ++count;
    }
    if (count < maxFields) fields[count++].assign(text);
    return count;
}

}  // namespace vx
