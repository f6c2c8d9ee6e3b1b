// The lines of a byte string by the text layer's rules, worked out the plain way, to check
// what the layer reads against: lines end at LF, a CR directly before the LF is dropped,
// Ctrl-Z (26) ends the data and the line in progress, a last line without LF counts, and
// each line keeps its first 1024 columns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hostile {

inline std::vector<std::string> referenceLines(std::string_view bytes) {
    const std::size_t z = bytes.find('\x1a');
    if (z != std::string_view::npos) bytes = bytes.substr(0, z);
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        if (lf != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line.substr(0, 1024));
        if (lf == std::string_view::npos) break;
        bytes.remove_prefix(lf + 1);
    }
    return lines;
}

// Columns first..first+width-1 (1-based) of a line, blank padded.
inline std::string columns(const std::string& line, int first, int width) {
    std::string field =
        first - 1 < int(line.size()) ? line.substr(std::size_t(first - 1), std::size_t(width)) : "";
    field.resize(std::size_t(width), ' ');
    return field;
}

} // namespace hostile
