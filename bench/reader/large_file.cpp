// The file writing of large_file.h.
#include "bench/reader/large_file.h"

#include <algorithm>
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

// In pieces of 4 kB, through the stream's buffer: the file then goes to the system in writes of
// a buffer's size, as a program printing line by line writes it. (Handed over in writes of
// megabytes, a file can stand in the page cache in larger pieces, and every pass over it, the
// reader's and wc's alike, runs faster: the figures would no longer compare with earlier ones.)
void put(std::FILE* f, const std::string& text) {
    constexpr std::size_t piece = 4096;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const std::size_t size = std::min(piece, text.size() - at);
        if (std::fwrite(text.data() + at, 1, size, f) != size) {
            std::perror("writing a benchmark file");
            std::exit(1);
        }
    }
}

void writeStreamed(const std::string& path,
                   const std::function<void(const layouts::Sink&)>& writer) {
    std::FILE* f = create(path);
    writer([f](const std::string& piece) { put(f, piece); });
    std::fclose(f);
}

} // namespace benchfiles
