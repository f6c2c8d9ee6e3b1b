// What the reading benchmarks measure a read against: five sequential `wc -l` passes over the
// same file, and the seconds since a moment.
#pragma once

#include <chrono>
#include <cstdlib>
#include <string>

namespace bench {

inline double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The time of five `wc -l` passes over the file; the benchmark ends when one fails.
inline double timeWc(const std::string& path) {
    const std::string command = "wc -l '" + path + "' > /dev/null";
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i)
        if (std::system(command.c_str()) != 0) std::exit(1);
    return seconds(start);
}

} // namespace bench
