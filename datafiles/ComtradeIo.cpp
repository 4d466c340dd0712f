#include "ComtradeIo.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace comtrade {

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

FilePtr openRegular(const std::string& path, std::int64_t& size) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return nullptr;
    const auto bytes = std::filesystem::file_size(path, ec);
    if (ec) return nullptr;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (f) size = static_cast<std::int64_t>(bytes);
    return f;
}

LineReader::LineReader(std::FILE* f, std::size_t block, std::size_t maxLine)
    : f_(f), buf_(std::min<std::size_t>(block, 64 * 1024)), block_(block), maxLine_(maxLine) {}

bool LineReader::refill() {
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (buf_.size() < block_)
        buf_.resize(std::min(block_, buf_.size() * 2));
    else if (end_ == buf_.size())
        buf_.resize(std::min(buf_.size() * 2, maxLine_ + 2));
    const std::size_t n = std::fread(buf_.data() + end_, 1, buf_.size() - end_, f_);
    end_ += n;
    if (n == 0) {
        eof_ = true;
        error_ = std::ferror(f_) != 0;
    }
    return n > 0;
}

LineReader::Status LineReader::next(std::string_view& line) {
    for (;;) {
        const char* base = buf_.data();
        const auto* nl = static_cast<const char*>(
            std::memchr(base + pos_ + scanned_, '\n', end_ - pos_ - scanned_));
        std::size_t len = 0, skip = 0;
        if (nl) {
            len = static_cast<std::size_t>(nl - (base + pos_));
            skip = 1;
        } else if (eof_) {
            if (error_) return Status::readError;
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

} // namespace comtrade
