// Writing the reader benchmark's large files from the layouts of the reader's tests
// (tests/layouts): a head, text repeated until the file is large enough, then a tail; or a
// file streamed piece by piece by a writer that could not hold it. The benchmark ends when a
// file cannot be written.
#pragma once

#include "tests/layouts/layouts.h"

#include <cstdio>
#include <functional>
#include <string>

namespace benchfiles {

// `atoms` atoms on a helix (carbon, then two hydrogens), all 3N entries listed: six of 0 cm**-1
// whose vectors are `trivial`, then the vibrations, 1.1 cm**-1 apart, their vectors no two
// alike.
layouts::Molecule allModes(int atoms, double (*trivial)(int row));

std::FILE* create(const std::string& path);
void put(std::FILE* f, const std::string& text);

// Writes `head`, then the text `step(n)` returns for n = 1, 2, ... until the file, with
// `tail` after it, holds at least `megabytes`, then `tail`.
template <class Step>
void writeRepeated(const std::string& path, long megabytes, const std::string& head, Step step,
                   const std::string& tail) {
    std::FILE* f = create(path);
    put(f, head);
    const long filler = megabytes * 1000000L - long(head.size() + tail.size());
    long written = 0;
    for (int n = 1; written < filler; ++n) {
        const std::string& text = step(n);
        put(f, text);
        written += long(text.size());
    }
    put(f, tail);
    std::fclose(f);
}

// Writes what `writer` hands its sink, piece by piece.
void writeStreamed(const std::string& path,
                   const std::function<void(const layouts::Sink&)>& writer);

} // namespace benchfiles
