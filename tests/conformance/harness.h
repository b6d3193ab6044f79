// A small check harness shared by the conformance suites: it builds with g++
// and with mingw-w64 alike (no GoogleTest in the Windows builds), so that the
// same cases run on every implementation of a layer. Each check prints a
// PASS or FAIL line at once (a Wine run is read line by line, and a crash
// still leaves the lines before it); the run closes with "N passed, M failed".
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace conformance {

struct Case {
    std::string section;  // the header's section the case belongs to
    std::string name;
    void (*run)();
};

// Adds a case to the run (used by CONFORMANCE_CASE at static start-up).
int Register(const char* section, const char* name, void (*run)());
const std::vector<Case>& Cases();

// Prints PASS/FAIL with the case's name in front; returns ok.
bool Check(bool ok, const std::string& what);
// A line for what an implementation cannot show; counts as neither.
void Info(const std::string& what);

template <class T>
std::string Describe(const T& value) {
    if constexpr (requires(std::ostream& out) { out << value; }) {
        std::ostringstream out;
        out << value;
        return out.str();
    } else {
        return "<value>";
    }
}
std::string Describe(const std::string& text);  // quoted, tabs and line ends made visible
std::string Describe(const char* text);
std::string Describe(const std::vector<std::string>& texts);  // one quoted text after another

template <class A, class B>
bool CheckEq(const A& actual, const B& expected, const std::string& what) {
    if (actual == expected) return Check(true, what);
    return Check(false, what + ": got " + Describe(actual) + ", expected " + Describe(expected));
}

// Runs every case whose "section: name" contains one of the arguments (all
// without arguments), prints the summary line and returns the exit code
// (0 when nothing failed and at least one check ran).
int RunAll(int argc, char** argv);

}  // namespace conformance

#define CONFORMANCE_CAT2(a, b) a##b
#define CONFORMANCE_CAT(a, b) CONFORMANCE_CAT2(a, b)
// CONFORMANCE_CASE("Lists", "a fill keeps the first visible entry") { ...checks... }
#define CONFORMANCE_CASE(section, name)                                                          \
    static void CONFORMANCE_CAT(conformanceCase, __LINE__)();                                    \
    [[maybe_unused]] static const int CONFORMANCE_CAT(conformanceReg, __LINE__) =               \
        ::conformance::Register(section, name, &CONFORMANCE_CAT(conformanceCase, __LINE__));     \
    static void CONFORMANCE_CAT(conformanceCase, __LINE__)()
