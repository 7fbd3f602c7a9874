// A small test harness for the Windows test program (GoogleTest has no
// mingw package). Each failed check prints where and what; the program
// exits non-zero when any check failed.
#pragma once

#include <cstdio>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace wintest {

struct Case {
    std::string group, name;
    std::function<void()> body;
};

inline std::vector<Case>& registry() {
    static std::vector<Case> cases;
    return cases;
}
inline int failuresInCase = 0;
inline void recordFailure(const char* file, int line, const std::string& what) {
    ++failuresInCase;
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
}
// Thrown by REQUIRE to end the running case.
struct Abort {};

struct Registrar {
    Registrar(const char* group, const char* name, std::function<void()> body) {
        registry().push_back({group, name, std::move(body)});
    }
};

template <typename A, typename B>
std::string describe(const char* expression, const A& a, const B& b) {
    std::ostringstream s;
    s << expression << " (" << a << " vs " << b << ")";
    return s.str();
}

}  // namespace wintest

#define WTEST_CAT2(a, b) a##b
#define WTEST_CAT(a, b) WTEST_CAT2(a, b)
#define WTEST(group, name)                                                                                  \
    static void group##_##name();                                                                            \
    static ::wintest::Registrar WTEST_CAT(registrar_, __LINE__)(#group, #name, group##_##name);             \
    static void group##_##name()

#define CHECK(cond) \
    ((cond) ? (void)0 : ::wintest::recordFailure(__FILE__, __LINE__, "CHECK(" #cond ") failed"))
#define CHECK_EQ(a, b)                                                                                       \
    do {                                                                                                     \
        const auto wt_a = (a);                                                                               \
        const auto wt_b = (b);                                                                               \
        if (!(wt_a == wt_b)) ::wintest::recordFailure(__FILE__, __LINE__, ::wintest::describe(#a " == " #b, wt_a, wt_b)); \
    } while (0)
#define REQUIRE(cond)                                                                                        \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            ::wintest::recordFailure(__FILE__, __LINE__, "REQUIRE(" #cond ") failed");                      \
            throw ::wintest::Abort{};                                                                        \
        }                                                                                                    \
    } while (0)
