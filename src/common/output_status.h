#pragma once
// The end of a command-line mode that writes records to standard output.
#include <exception>
#include <ostream>
#include <utility>

namespace vx {

// Flushes `out`; a failed output (full disk, closed pipe) is a failure of its
// own, said on `err`. Returns the exit status: 0 when every file was read.
inline int FinishOutput(std::ostream& out, std::ostream& err, bool allReadable) {
    out.flush();
    if (!out) {
        err << "varmonix: the output could not be written\n";
        return 1;
    }
    return allReadable ? 0 : 1;
}

// Runs a mode; an exception that escapes it is said on `err` and gives 1,
// so no error of a command-line run ends in a crash.
template <class Run>
int GuardedRun(std::ostream& err, Run&& run) noexcept {
    try {
        return std::forward<Run>(run)();
    } catch (const std::exception& e) {
        try {
            err << "varmonix: " << e.what() << '\n';
        } catch (...) {
        }
        return 1;
    } catch (...) {
        try {
            err << "varmonix: an unexpected error ended the run\n";
        } catch (...) {
        }
        return 1;
    }
}

}  // namespace vx
