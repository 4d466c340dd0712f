#include "AdfMatIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace adfmat {

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::open(const std::string& path) {
    // Non-blocking, so that opening a FIFO returns instead of waiting for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    size_ = static_cast<std::int64_t>(st.st_size);
    return true;
}

std::size_t InputFile::readAt(std::int64_t offset, void* dst, std::size_t n) const {
    auto* out = static_cast<char*>(dst);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset) + done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

OutputFile::~OutputFile() {
    if (f_) std::fclose(f_);
}

bool OutputFile::open(const std::string& path, const char* mode) {
    f_ = std::fopen(path.c_str(), mode);
    failed_ = false;
    return f_ != nullptr;
}

void OutputFile::write(const void* p, std::size_t n) {
    if (failed_ || n == 0) return;
    if (std::fwrite(p, 1, n, f_) != n) failed_ = true;
}

bool OutputFile::close() {
    if (!f_) return false;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok && !failed_;
}

bool validSelection(int nVars, int nPoints, const void* data, int nSel, const int* indices) {
    if (nSel < 1 || !indices || !data || nPoints < 1) return false;
    return std::all_of(indices, indices + nSel, [&](int i) { return i >= 0 && i < nVars; });
}

void adviseHugePages(void* block, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (bytes < 4 * kHuge) return;
    const auto start = (reinterpret_cast<std::uintptr_t>(block) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(block) + bytes) & ~(kHuge - 1);
    if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)block;
    (void)bytes;
#endif
}

} // namespace adfmat
