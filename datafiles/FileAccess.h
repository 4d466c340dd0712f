#pragma once
// File access of every reader and writer. Input comes from regular files
// only: a folder, FIFO or device is refused at open, without blocking on a
// FIFO that has no writer, so no read can hang or loop forever. Sizes and
// offsets are 64-bit. Output reports a failed write or close, so a full disk
// is never taken for success.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

class InputFile {
public:
    enum class Status { closed, ok, cannotOpen, notRegular };

    InputFile() = default;
    explicit InputFile(const std::string& path) { open(path); }
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    Status open(const std::string& path);
    Status status() const { return status_; }
    bool isOpen() const { return status_ == Status::ok; }
    std::int64_t size() const { return size_; }

    // Reads up to n bytes from offset; returns the count read (less only at
    // the end of the file or on a read error, 0 for a negative offset).
    std::size_t readAt(std::int64_t offset, void* dst, std::size_t n) const;
    // Exactly n bytes from offset; false when the file holds fewer.
    bool readExactAt(std::int64_t offset, void* dst, std::size_t n) const;

private:
    int fd_ = -1;
    std::int64_t size_ = 0;
    Status status_ = Status::closed;
};

bool isRegularFile(const std::string& path);

// Lines of an input file from a given offset, without their line end (LF or
// CR LF); a last line without a line feed is a line too. Holds one block of
// the file, more only for a line longer than a block, and never more than
// maxLine: a file without line ends cannot make it allocate at will.
class LineReader {
public:
    enum class Status { line, end, tooLong, readError };

    explicit LineReader(const InputFile& f, std::int64_t start = 0,
                        std::size_t block = std::size_t{1} << 20,
                        std::size_t maxLine = std::size_t{32} << 20);
    // The line stays valid until the next call.
    Status next(std::string_view& line);

private:
    void refill();

    const InputFile& f_;
    std::int64_t offset_;   // file offset of buf_[end_]
    std::vector<char> buf_; // one block, or the rest of a smaller file; more only for a long line
    std::size_t pos_ = 0, end_ = 0, scanned_ = 0;
    std::size_t maxLine_;
    bool eof_ = false;
};

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool open(const std::string& path, const char* mode);
    // Remembers a failed write; close() then reports it too.
    void write(const void* p, std::size_t n);
    bool writeFailed() const { return failed_; }
    // False when a write or the final flush failed.
    bool close();

private:
    std::FILE* f_ = nullptr;
    bool failed_ = false;
};
