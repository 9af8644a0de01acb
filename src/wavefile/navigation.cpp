#include "wavefile/navigation.h"

namespace vx {

int32_t FileStepTarget(FileStep s, int32_t no, int32_t count) {
    switch (s) {
        case FileStep::First:
            return no <= 1 ? 0 : 1;
        case FileStep::Prev:
            return no <= 1 ? 0 : no - 1;
        case FileStep::Next:
            return no >= count ? 0 : no + 1;
        case FileStep::Last:
            return no >= count ? 0 : count;
    }
    return 0;
}

FileButtonState FileButtonsFor(int32_t no, int32_t count) {
    if (count <= 1) return {false, false, false};
    if (no == 1) return {false, true, true};
    if (no == count) return {true, false, true};
    return {true, true, true};
}

}  // namespace vx
