#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// A named mutex shared by all processes of the user: an flock on a lock file in
// LockDirectory(). The system drops the lock when its holder ends, crashed or not, so a
// dead instance never keeps its name. Two holders conflict even inside one process.
class CNamedMutex {
public:
    // Takes the mutex when nobody holds it; nullopt when it is held. Failing to create
    // the lock file raises std::system_error.
    static std::optional<CNamedMutex> TryAcquire(std::string_view name);

    CNamedMutex(CNamedMutex&& other) noexcept;
    CNamedMutex& operator=(CNamedMutex&& other) noexcept;
    CNamedMutex(const CNamedMutex&) = delete;
    CNamedMutex& operator=(const CNamedMutex&) = delete;
    ~CNamedMutex() { Release(); }

    void Release();
    bool Held() const { return fd_ >= 0; }

    // The lock file of a name: the name with every byte but letters, digits, '-', '.'
    // and '_' written as %XX, so distinct names never share a file.
    static std::filesystem::path LockFileFor(std::string_view name);

private:
    explicit CNamedMutex(int fd) : fd_(fd) {}
    int fd_ = -1;
};

// The program's instance number: the first free of the mutexes `prefix` + "0" ... `prefix` +
// digit (count - 1). nullopt when every one is held by another instance.
struct SInstanceLock {
    int index; // 0-based
    CNamedMutex mutex;
};
std::optional<SInstanceLock> AcquireInstanceLock(std::string_view prefix = "QJ's Curvix - ",
                                                 int count = 4);
