// CSV text read back by a real parser (libcsv, strict mode), for the tests of the program's
// tables; a test that includes this links libcsv (Debian's libcsv-dev).
#pragma once

#include <csv.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

using CsvRows = std::vector<std::vector<std::string>>;

// The rows of a CSV text; fails the test on a text libcsv refuses.
inline CsvRows parseCsv(const std::string& text) {
    struct Collect {
        CsvRows rows;
        std::vector<std::string> row;
    } c;
    csv_parser parser;
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    const auto field = [](void* s, std::size_t n, void* data) {
        auto& row = static_cast<Collect*>(data)->row;
        row.push_back(s ? std::string(static_cast<char*>(s), n) : std::string());
    };
    const auto end = [](int, void* data) {
        auto* c = static_cast<Collect*>(data);
        c->rows.push_back(std::move(c->row));
        c->row.clear();
    };
    const std::size_t parsed = csv_parse(&parser, text.data(), text.size(), field, end, &c);
    EXPECT_EQ(parsed, text.size()) << csv_strerror(csv_error(&parser));
    EXPECT_EQ(csv_fini(&parser, field, end, &c), 0);
    csv_free(&parser);
    return c.rows;
}

} // namespace testsupport
