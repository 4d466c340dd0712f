#pragma once
// Fuzz inputs reach the readers as files, the only way the program hands
// them data; each process writes to its own scratch files.

#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzzinput {

// Memory-backed when the machine has it: millions of inputs pass through here.
inline std::string scratchPath(const std::string& suffix) {
    struct stat st;
    const char* root = ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : "/tmp";
    return std::string(root) + "/curvix-fuzz-" + std::to_string(::getpid()) + suffix;
}

inline bool writeBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

} // namespace fuzzinput
