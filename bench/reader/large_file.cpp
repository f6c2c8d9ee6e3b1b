// The file writing of large_file.h.
#include "bench/reader/large_file.h"

#include <algorithm>
#include <cmath>
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

layouts::Molecule allModes(int atoms, double (*trivial)(int row)) {
    layouts::Molecule m;
    for (int i = 0; i < atoms; ++i) {
        const double t = i * 0.37;
        m.symbols.push_back(i % 3 ? "H" : "C");
        m.numbers.push_back(i % 3 ? 1 : 6);
        m.xyz.insert(m.xyz.end(), {12.0 * std::sin(t), 12.0 * std::cos(t), 0.05 * i - 25.0});
    }
    const int entries = 3 * atoms;
    m.vibrations = entries - 6;
    for (int e = 0; e < entries; ++e) {
        m.frequencies.push_back(e < 6 ? 0.0 : 10.0 + e * 1.1);
        m.intensities.push_back(0.5 * e);
        std::vector<double> vector(std::size_t(entries), 0.0);
        for (int row = 0; row < entries; ++row)
            vector[std::size_t(row)] = e < 6 ? trivial(row) : 0.3 * std::sin(0.01 * row * e + e);
        m.modes.push_back(std::move(vector));
    }
    return m;
}

void writeStreamed(const std::string& path,
                   const std::function<void(const layouts::Sink&)>& writer) {
    std::FILE* f = create(path);
    writer([f](const std::string& piece) { put(f, piece); });
    std::fclose(f);
}

} // namespace benchfiles
