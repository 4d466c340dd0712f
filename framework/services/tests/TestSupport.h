#pragma once

#include <filesystem>
#include <functional>
#include <sys/types.h>

// A fresh folder under the system's temporary folder, removed with everything in it.
// It also points the registry and the instance locks at itself for its lifetime.
class CScratchDir {
public:
    CScratchDir();
    ~CScratchDir();
    CScratchDir(const CScratchDir&) = delete;
    CScratchDir& operator=(const CScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs `body` in a forked child that ends with its result as exit code.
pid_t StartChild(const std::function<int()>& body);
// The child's exit code, or 128 + signal number when a signal ended it.
int WaitChild(pid_t pid);
