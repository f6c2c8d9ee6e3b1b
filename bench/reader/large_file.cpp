// The file writing of large_file.h.
#include "bench/reader/large_file.h"

#include <cstdlib>

namespace benchfiles {

std::FILE* create(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    return f;
}

void put(std::FILE* f, const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), f) != text.size()) {
        std::perror("writing a benchmark file");
        std::exit(1);
    }
}

void writeStreamed(const std::string& path,
                   const std::function<void(const layouts::Sink&)>& writer) {
    std::FILE* f = create(path);
    writer([f](const std::string& piece) { put(f, piece); });
    std::fclose(f);
}

} // namespace benchfiles
