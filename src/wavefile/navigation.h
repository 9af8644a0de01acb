#pragma once
// File stepping through the folder's file list and the enabled state of the
// file controls. Numbers are 1-based positions in the list.
#include <cstdint>

namespace vx {

enum class FileStep { First, Prev, Next, Last };

// The file number a step moves to, or 0 when the step does nothing.
int32_t FileStepTarget(FileStep s, int32_t no, int32_t count);

struct FileButtonState {
    bool rewdPrev;  // first and previous
    bool nextFfwd;  // next and last
    bool combo;     // the file list
};

FileButtonState FileButtonsFor(int32_t no, int32_t count);

}  // namespace vx
