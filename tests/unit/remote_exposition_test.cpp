// The metrics text format as exporters and federating servers write it:
// what a line yields, which lines are skipped and counted, and that
// hostile answers cost time in proportion to their length.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "remote/exposition.h"

using vel::remote::parseExposition;
using vel::remote::Sample;

namespace {

struct Parsed {
    std::vector<Sample> samples;
    std::size_t skipped = 0;
};

Parsed parse(std::string_view text) {
    Parsed p;
    parseExposition(text, p.samples, p.skipped);
    return p;
}

}  // namespace

TEST(Exposition, WellFormedLines) {
    struct Case {
        const char* line;
        const char* name;
        std::vector<std::pair<std::string, std::string>> labels;
        double value;
        std::optional<std::int64_t> timestamp;
    };
    const Case cases[] = {
        {"up 1", "up", {}, 1, {}},
        {"node_cpu_seconds_total{cpu=\"0\",mode=\"idle\"} 12345.67",
         "node_cpu_seconds_total", {{"cpu", "0"}, {"mode", "idle"}}, 12345.67, {}},
        {"a:b_c{x=\"1\",} 2.5e3 1700000000123", "a:b_c", {{"x", "1"}}, 2500, 1700000000123},
        {"m{ x = \"y\" , z=\"\" }\t-1E-2\t-5", "m", {{"x", "y"}, {"z", ""}}, -0.01, -5},
        {"m{p=\"C:\\\\dir \\\"q\\\"\\nnext\"} 0", "m", {{"p", "C:\\dir \"q\"\nnext"}}, 0, {}},
        {"m{} 7", "m", {}, 7, {}},
        {"  m 8  ", "m", {}, 8, {}},
        {"m{a=\"}{,=\"} +3", "m", {{"a", "}{,="}}, 3, {}},
        {"m 1.8446744073709552e+19", "m", {}, 18446744073709551616.0, {}},
        {"b +Inf", "b", {}, INFINITY, {}},
        {"c -Inf", "c", {}, -INFINITY, {}},
        {"d Inf", "d", {}, INFINITY, {}},
        {"f 1e999", "f", {}, INFINITY, {}},  // beyond a double reads as infinite, not as 0
        {"a NaN", "a", {}, NAN, {}},
        {"e nan", "e", {}, NAN, {}},
    };
    for (const Case& c : cases) {
        const Parsed p = parse(c.line);
        ASSERT_EQ(p.samples.size(), 1u) << c.line;
        EXPECT_EQ(p.skipped, 0u) << c.line;
        const Sample& s = p.samples[0];
        EXPECT_EQ(s.name, c.name) << c.line;
        EXPECT_EQ(s.labels, c.labels) << c.line;
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(s.value)) << c.line;
        else
            EXPECT_DOUBLE_EQ(s.value, c.value) << c.line;
        EXPECT_EQ(s.timestampMs, c.timestamp) << c.line;
    }
}

TEST(Exposition, MalformedLinesAreSkippedAndCounted) {
    const char* bad[] = {
        "1abc 2",                 // a name starts with a letter, _ or :
        "m",                      // no value
        "m abc",                  // not a number
        "m 0x10",                 // no hex
        "m nan(1)",               // no payload on NaN
        "m5.0",                   // the name runs into the value
        "m{a=\"1\" 2",            // labels never closed
        "m{a=1} 2",               // unquoted label value
        "m{a=\"x\\t\"} 2",        // an escape the format does not know
        "m{a=\"1\",a=\"2\"} 3",   // a label twice
        "m{1a=\"1\"} 2",          // a label name starting with a digit
        "m{a:b=\"1\"} 2",         // colons are for metric names only
        "m{a=\"1\"b=\"2\"} 3",    // no comma between labels
        "m 1 2.5",                // a timestamp is whole milliseconds
        "m 1 2 3",                // something after the timestamp
        "m{a=\"unterminated} 1",  // the quote swallows the rest
        "m 1 99999999999999999999",  // beyond 64 bits
    };
    std::string text = "# HELP m a metric\n# TYPE m gauge\n#just a comment\n\n";
    for (const char* line : bad) text += std::string(line) + "\ngood 1\n";
    const Parsed all = parse(text);
    EXPECT_EQ(all.skipped, std::size(bad)) << "comments and blank lines are not malformed";
    EXPECT_EQ(all.samples.size(), std::size(bad)) << "each bad line is one, and leaves the next alone";
    for (const Sample& sample : all.samples) EXPECT_EQ(sample.name, "good") << "a bad line read as a sample";
}

TEST(Exposition, LineEnds) {
    const Parsed p = parse("a 1\r\nb{x=\"y\"} 2 3\r\n\r\nc 4");
    ASSERT_EQ(p.samples.size(), 3u) << "CRLF ends and no newline after the last line";
    EXPECT_EQ(p.skipped, 0u);
    EXPECT_EQ(p.samples[1].timestampMs, 3);
    EXPECT_EQ(p.samples[2].value, 4);
    std::vector<Sample> out;
    std::size_t skipped = 0;
    EXPECT_FALSE(parseExposition("# only comments\n", out, skipped)) << "no metrics in it";
    EXPECT_FALSE(parseExposition("", out, skipped));
}

// Four megabytes is the most an answer may be; none of these shapes may
// take long or keep a line with unbounded labels.
TEST(Exposition, HostileAnswersStayLinear) {
    std::string manyLabels = "m{", sixtyFour = "m{", lines;
    for (int i = 0; i < 200000; ++i) manyLabels += "l" + std::to_string(i) + "=\"v\",";
    for (int i = 0; i < 64; ++i) sixtyFour += "l" + std::to_string(i) + "=\"v\",";
    while (lines.size() < (4u << 20)) lines += "x 1\n";
    struct Shape {
        std::string text;
        std::size_t skipped, samples;
    };
    const Shape shapes[] = {
        {manyLabels + "} 1\n", 1, 0},
        {sixtyFour + "} 1\n" + sixtyFour + "z=\"v\"} 1\n", 1, 1},  // 64 labels are read, 65 are too many
        {std::string(4u << 20, '{'), 1, 0},
        {"m{a=\"" + std::string(4u << 20, '\\'), 1, 0},
        {std::string(4u << 20, '\n'), 0, 0},
        {lines, 0, 1u << 20},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Shape& shape : shapes) {
        const Parsed p = parse(shape.text);
        EXPECT_EQ(p.skipped, shape.skipped) << shape.text.substr(0, 40);
        EXPECT_EQ(p.samples.size(), shape.samples) << shape.text.substr(0, 40);
    }
    EXPECT_EQ(parse(shapes[1].text).samples.at(0).labels.size(), 64u);
    const auto spent = std::chrono::steady_clock::now() - start;
    // Generous for a shared, unoptimised machine; a quadratic pass over
    // these would take minutes.
    EXPECT_LT(spent, std::chrono::seconds(10));
}
