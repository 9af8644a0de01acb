#pragma once
// The lines of a command's output, for comparing record by record.
#include <sstream>
#include <string>
#include <vector>

namespace vx {

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace vx
