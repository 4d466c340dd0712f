#include "TestSupport.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

CScratchDir::CScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "curvix-svc-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    ::setenv("CURVIX_REGISTRY_DIR", (path_ / "registry").c_str(), 1);
    ::setenv("CURVIX_LOCK_DIR", (path_ / "locks").c_str(), 1);
}

CScratchDir::~CScratchDir() {
    ::unsetenv("CURVIX_REGISTRY_DIR");
    ::unsetenv("CURVIX_LOCK_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

pid_t StartChild(const std::function<int()>& body) {
    pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
            code = 98;
        }
        ::_exit(code);
    }
    return pid;
}

int WaitChild(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}
