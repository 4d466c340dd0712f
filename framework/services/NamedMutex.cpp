#include "services/NamedMutex.h"

#include "services/ServicePaths.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

std::filesystem::path CNamedMutex::LockFileFor(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string file;
    for (unsigned char c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_';
        if (plain) {
            file += static_cast<char>(c);
        } else {
            file += '%';
            file += kHex[c >> 4];
            file += kHex[c & 0xF];
        }
    }
    return LockDirectory() / (file + ".lock");
}

std::optional<CNamedMutex> CNamedMutex::TryAcquire(std::string_view name) {
    std::filesystem::path path = LockFileFor(name);
    std::filesystem::create_directories(path.parent_path());
    // The file is never removed: removing it would let two holders lock different files.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "lock file " + path.string());
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) return CNamedMutex(fd);
    int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return std::nullopt;
    throw std::system_error(error, std::generic_category(), "lock file " + path.string());
}

CNamedMutex::CNamedMutex(CNamedMutex&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

CNamedMutex& CNamedMutex::operator=(CNamedMutex&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

void CNamedMutex::Release() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the only descriptor drops the flock
        fd_ = -1;
    }
}

std::optional<SInstanceLock> AcquireInstanceLock(std::string_view prefix, int count) {
    for (int i = 0; i < count; ++i) {
        std::string name(prefix);
        name += std::to_string(i);
        if (auto mutex = CNamedMutex::TryAcquire(name)) return SInstanceLock{i, std::move(*mutex)};
    }
    return std::nullopt;
}
