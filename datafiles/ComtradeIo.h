#pragma once
// File access shared by the COMTRADE reader: regular files only, 64-bit
// sizes, and a block-buffered line reader that never holds more than one
// bounded line beyond its block.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace comtrade {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for binary reading; null for anything else (missing,
// directory, device, FIFO), so no read can block or loop forever.
FilePtr openRegular(const std::string& path, std::int64_t& size);

bool isRegularFile(const std::string& path);

// Yields lines without their line end (LF, or CR LF). A last line without a
// line feed is a line too.
class LineReader {
public:
    enum class Status { line, end, tooLong, readError };

    explicit LineReader(std::FILE* f, std::size_t block = std::size_t{1} << 20,
                        std::size_t maxLine = std::size_t{32} << 20);
    Status next(std::string_view& line);

private:
    bool refill();

    std::FILE* f_;
    std::vector<char> buf_; // grows to block_ as the file goes on, beyond only for a long line
    std::size_t block_;
    std::size_t pos_ = 0, end_ = 0, scanned_ = 0;
    std::size_t maxLine_;
    bool eof_ = false, error_ = false;
};

} // namespace comtrade
