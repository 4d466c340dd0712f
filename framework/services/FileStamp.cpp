#include "services/FileStamp.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::uint32_t PackDosDateTime(const std::tm& local) {
    int year = local.tm_year + 1900;
    if (year < 1980) return (1u << 21) | (1u << 16); // 1980-01-01 00:00:00
    if (year > 2107)
        return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    auto field = [](int value, int low, int high) {
        return static_cast<std::uint32_t>(value < low ? low : (value > high ? high : value));
    };
    return (field(year - 1980, 0, 127) << 25) | (field(local.tm_mon + 1, 1, 12) << 21) |
           (field(local.tm_mday, 1, 31) << 16) | (field(local.tm_hour, 0, 23) << 11) |
           (field(local.tm_min, 0, 59) << 5) | field(local.tm_sec / 2, 0, 29);
}

int GetFileStamp(const std::string& path, std::uint32_t& stamp) {
    // Non-blocking, so that a named pipe given as a data file cannot hang the caller.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 1;
    struct stat info {};
    int statResult = ::fstat(fd, &info);
    ::close(fd);
    if (statResult != 0) return -1;
    if (S_ISDIR(info.st_mode)) return 1;
    std::tm local{};
    if (::localtime_r(&info.st_mtime, &local) == nullptr) return -1;
    stamp = PackDosDateTime(local);
    return 0;
}
