#include "harness.h"

#include <cstdio>

namespace conformance {

namespace {

int passed = 0, failed = 0;
const Case* running = nullptr;

std::vector<Case>& Registry() {
    static std::vector<Case> cases;
    return cases;
}

void Line(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string Prefix() { return running ? running->section + ": " + running->name + ": " : ""; }

}  // namespace

int Register(const char* section, const char* name, void (*run)()) {
    Registry().push_back(Case{section, name, run});
    return static_cast<int>(Registry().size());
}

const std::vector<Case>& Cases() { return Registry(); }

bool Check(bool ok, const std::string& what) {
    Line((ok ? "PASS: " : "FAIL: ") + Prefix() + what);
    (ok ? passed : failed)++;
    return ok;
}

void Info(const std::string& what) { Line("INFO: " + Prefix() + what); }

std::string Describe(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + "\"";
}

std::string Describe(const char* text) { return Describe(std::string(text ? text : "<null>")); }

std::string Describe(const std::vector<std::string>& texts) {
    std::string out = "{";
    for (const std::string& text : texts) out += (out.size() > 1 ? ", " : "") + Describe(text);
    return out + "}";
}

int RunAll(int argc, char** argv) {
    for (const Case& c : Registry()) {
        const std::string full = c.section + ": " + c.name;
        bool chosen = argc <= 1;
        for (int i = 1; i < argc && !chosen; ++i) chosen = full.find(argv[i]) != std::string::npos;
        if (!chosen) continue;
        running = &c;
        c.run();
        running = nullptr;
    }
    Line(std::to_string(passed) + " passed, " + std::to_string(failed) + " failed");
    return failed == 0 && passed > 0 ? 0 : 1;
}

}  // namespace conformance
