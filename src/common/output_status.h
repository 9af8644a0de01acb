#pragma once
// The end of a command-line mode that writes records to standard output.
#include <ostream>

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

}  // namespace vx
