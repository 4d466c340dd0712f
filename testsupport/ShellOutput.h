#pragma once
// What a shell command writes on its standard output, for tests that read an outside
// tool's answer (pdftotext, wmf2svg, tesseract).

#include <cstdio>
#include <string>

namespace testsupport {
// `status`, when given, receives the command's status as pclose gives it (-1 when the
// command could not be started).
inline std::string ShellOutput(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    if (!p) {
        if (status) *status = -1;
        return out;
    }
    char buf[4096];
    while (const std::size_t got = std::fread(buf, 1, sizeof buf, p))
        out.append(buf, got);
    const int closed = ::pclose(p);
    if (status) *status = closed;
    return out;
}
} // namespace testsupport
