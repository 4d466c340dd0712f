#include "FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

InputFile::Status InputFile::open(const std::string& path) {
    if (fd_ >= 0) ::close(fd_);
    size_ = 0;
    // Non-blocking, so that opening a FIFO returns instead of waiting for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return status_ = Status::cannotOpen;
    struct stat st {};
    const bool statted = ::fstat(fd_, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return status_ = statted ? Status::notRegular : Status::cannotOpen;
    }
    size_ = static_cast<std::int64_t>(st.st_size);
    return status_ = Status::ok;
}

std::size_t InputFile::readAt(std::int64_t offset, void* dst, std::size_t n) const {
    if (fd_ < 0 || offset < 0) return 0;
    auto* out = static_cast<char*>(dst);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got =
            ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + std::int64_t(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool InputFile::readExactAt(std::int64_t offset, void* dst, std::size_t n) const {
    if (offset < 0 || offset > size_ || static_cast<std::uint64_t>(size_ - offset) < n)
        return false;
    return readAt(offset, dst, n) == n;
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

LineReader::LineReader(const InputFile& f, std::int64_t start, std::size_t block,
                       std::size_t maxLine)
    : f_(f), offset_(start), maxLine_(maxLine) {
    // A small file gets a buffer of its own size (one more byte, so that the
    // first read already meets the end), not a block of zeros.
    const std::int64_t left = std::max<std::int64_t>(0, f.size() - start);
    buf_.resize(static_cast<std::size_t>(std::min<std::int64_t>(
        left + 1, static_cast<std::int64_t>(std::max<std::size_t>(block, 1)))));
}

void LineReader::refill() {
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (offset_ >= f_.size()) { // nothing left to read: no reason to grow
        eof_ = true;
        return;
    }
    // Only a line longer than the buffer makes it grow.
    if (end_ == buf_.size()) buf_.resize(std::min(buf_.size() * 2, maxLine_ + 2));
    const std::size_t n = f_.readAt(offset_, buf_.data() + end_, buf_.size() - end_);
    offset_ += static_cast<std::int64_t>(n);
    end_ += n;
    if (n == 0) eof_ = true;
}

LineReader::Status LineReader::next(std::string_view& line) {
    if (!f_.isOpen()) return Status::readError;
    for (;;) {
        const char* base = buf_.data();
        const auto* nl = static_cast<const char*>(
            std::memchr(base + pos_ + scanned_, '\n', end_ - pos_ - scanned_));
        std::size_t len = 0, skip = 0;
        if (nl) {
            len = static_cast<std::size_t>(nl - (base + pos_));
            skip = 1;
        } else if (eof_) {
            if (pos_ == end_) return Status::end;
            len = end_ - pos_;
        } else {
            scanned_ = end_ - pos_;
            if (scanned_ > maxLine_) return Status::tooLong;
            refill();
            continue;
        }
        if (len > maxLine_) return Status::tooLong;
        line = std::string_view(base + pos_, len);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        pos_ += len + skip;
        scanned_ = 0;
        return Status::line;
    }
}

OutputFile::~OutputFile() {
    if (f_) std::fclose(f_);
}

bool OutputFile::open(const std::string& path, const char* mode) {
    if (f_) std::fclose(f_);
    f_ = std::fopen(path.c_str(), mode);
    failed_ = false;
    return f_ != nullptr;
}

void OutputFile::write(const void* p, std::size_t n) {
    if (!f_) failed_ = true;
    if (failed_ || n == 0) return;
    if (std::fwrite(p, 1, n, f_) != n) failed_ = true;
}

bool OutputFile::close() {
    if (!f_) return false;
    const bool ok = std::fclose(f_) == 0;
    f_ = nullptr;
    return ok && !failed_;
}
