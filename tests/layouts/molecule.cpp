// The made-up molecules of molecule.h.
#include "tests/layouts/molecule.h"

#include <cmath>
#include <cstdio>

namespace layouts {

namespace {

// printf of `value` into a string as long as it needs.
template <class T> std::string formatted(const char* layout, T value) {
    std::string text(64, '\0');
    const int length = std::snprintf(text.data(), text.size() + 1, layout, value);
    text.resize(std::size_t(length > 0 ? length : 0));
    if (std::size_t(length) > 64) std::snprintf(text.data(), text.size() + 1, layout, value);
    return text;
}

} // namespace

std::string format(const char* layout, double value) { return formatted(layout, value); }
std::string format(const char* layout, int value) { return formatted(layout, value); }

std::string imaginaryAfter(double f, const char* layout) {
    return f < 0.0 ? format(layout, -f) + "i" : format(layout, f) + " ";
}

namespace {

// Values of two decimals told apart by entry, atom and axis.
std::vector<double> entryVector(int entry, int atoms) {
    std::vector<double> v(std::size_t(3 * atoms));
    for (int i = 0; i < atoms; ++i)
        for (int k = 0; k < 3; ++k) {
            const int pattern = (entry * 7 + i * 3 + k * 5 + 4) % 19 - 9;
            v[std::size_t(3 * i + k)] = (pattern == 0 ? 10 : pattern) / 100.0;
        }
    return v;
}

const char* symbolOf(int number) {
    static const char* symbols[] = {"", "H", "He", "Li", "Be", "B", "C", "N", "O"};
    return symbols[number];
}

Molecule ofAtoms(const std::vector<Atom>& atoms) {
    Molecule m;
    for (const Atom& a : atoms) {
        m.symbols.push_back(symbolOf(a.number));
        m.numbers.push_back(a.number);
        m.xyz.insert(m.xyz.end(), {a.x, a.y, a.z});
    }
    return m;
}

} // namespace

Molecule molecule(std::vector<std::string> symbols, std::vector<int> numbers,
                  std::vector<double> xyz, std::vector<double> frequencies) {
    Molecule m{
        std::move(symbols), std::move(numbers), std::move(xyz), std::move(frequencies), {}, {}, 0};
    m.vibrations = m.entries();
    for (int e = 0; e < m.entries(); ++e) {
        m.modes.push_back(entryVector(e, m.atoms()));
        m.intensities.push_back(10.0 * (e + 1));
    }
    return m;
}

Molecule water(bool imaginary) {
    return molecule({"O", "H", "H"}, {8, 1, 1},
                    {0.0, 0.0, 0.119159, 0.0, -0.790649, -0.476637, 0.0, 0.790649, -0.476637},
                    {imaginary ? -1234.56 : 1860.10, 3939.13, 4272.66});
}

Molecule carbonDioxide() {
    return molecule({"C", "O", "O"}, {6, 8, 8}, {0.0, 0.0, 0.0, 0.0, 0.0, 1.16, 0.0, 0.0, -1.16},
                    {667.3, 667.3, 1333.0, 2349.2});
}

Molecule grid(int atoms) {
    std::vector<std::string> symbols;
    std::vector<int> numbers;
    std::vector<double> xyz;
    for (int i = 0; i < atoms; ++i) {
        symbols.push_back(i % 2 ? "H" : "C");
        numbers.push_back(i % 2 ? 1 : 6);
        xyz.insert(xyz.end(), {1.5 * (i % 10), 1.5 * (i / 10 % 10), 1.5 * (i / 100)});
    }
    return molecule(symbols, numbers, xyz, {101.0, 202.0, 303.0});
}

Molecule withTranslations(const Molecule& m, int small) {
    std::vector<double> frequencies;
    const bool imaginary = m.frequencies[0] < 0.0;
    if (imaginary) frequencies.push_back(m.frequencies[0]);
    const double smallOnes[6] = {-9.92, -1.35, 3.25, 0.02, 9.12, 17.92};
    for (int s = 0; s < small; ++s) frequencies.push_back(smallOnes[s]);
    for (int e = imaginary ? 1 : 0; e < m.entries(); ++e) frequencies.push_back(m.frequencies[e]);
    Molecule listing = molecule(m.symbols, m.numbers, m.xyz, frequencies);
    listing.vibrations = m.entries();
    return listing;
}

int entryOf(const Molecule& listing, int vibration, int small) {
    const bool imaginary = listing.frequencies[0] < 0.0 && std::fabs(listing.frequencies[0]) > 100;
    if (imaginary && vibration == 1) return 0;
    return vibration - 1 + small;
}

Molecule withVibrations(const std::vector<Atom>& atoms, std::vector<double> frequencies) {
    Molecule m = ofAtoms(atoms);
    const int n = m.atoms();
    m.vibrations = int(frequencies.size());
    for (int i = 0; i < 3 * n - m.vibrations; ++i) {
        m.frequencies.push_back(0.0);
        m.modes.emplace_back(std::size_t(3 * n), 0.0);
        m.intensities.push_back(0.0);
    }
    for (int v = 0; v < m.vibrations; ++v) {
        m.frequencies.push_back(frequencies[std::size_t(v)]);
        std::vector<double> vector(std::size_t(3 * n));
        for (int c = 0; c < 3 * n; ++c)
            vector[std::size_t(c)] = 0.05 * (v + 1) * ((c * 7 + v * 3) % 11 - 5) + 0.01 * c;
        m.modes.push_back(vector);
        m.intensities.push_back(10.0 * (v + 1) + 0.25);
    }
    return m;
}

Molecule bentTransitionState() {
    return withVibrations({{8, 0.0, 0.0, 0.117}, {1, 0.0, 0.757, -0.469}, {1, 0.0, -0.757, -0.469}},
                          {-1234.56, 1600.25, 3700.75});
}

Molecule linearTriatomic() {
    return withVibrations({{6, 0.0, 0.0, 0.0}, {8, 0.0, 0.0, 1.16}, {8, 0.0, 0.0, -1.16}},
                          {667.5, 667.5, 1333.25, 2349.25});
}

Molecule diatomic() {
    return withVibrations({{6, 0.0, 0.0, -0.644}, {8, 0.0, 0.0, 0.484}}, {2143.5});
}

std::vector<Atom> gridAtoms(int count) {
    std::vector<Atom> atoms;
    for (int i = 0; i < count; ++i)
        atoms.push_back(
            {i % 3 == 2 ? 1 : 6, 1.5 * (i % 10), 1.5 * ((i / 10) % 10), 1.5 * (i / 100)});
    return atoms;
}

Molecule threeOf(int count) {
    Molecule m = ofAtoms(gridAtoms(count));
    m.vibrations = 3;
    for (int v = 0; v < 3; ++v) {
        m.frequencies.push_back(100.0 * (v + 1));
        m.intensities.push_back(1.5 * v);
        std::vector<double> vector(std::size_t(3 * count), 0.0);
        for (int c = 0; c < 3 * count; ++c) vector[std::size_t(c)] = ((c + v) % 7 - 3) * 0.125;
        m.modes.push_back(vector);
    }
    return m;
}

} // namespace layouts
