#pragma once
// File access shared by the ADF and MAT readers and writers: input from
// regular files only (a directory, FIFO or device never blocks or loops a
// reader), 64-bit sizes, and a buffered output file whose close reports
// whether everything reached the disk.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace adfmat {

class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // False when the path cannot be opened or is not a regular file.
    bool open(const std::string& path);
    std::int64_t size() const { return size_; }

    // Reads up to n bytes from offset; returns the count read (less only at
    // the end of the file or on a read error).
    std::size_t readAt(std::int64_t offset, void* dst, std::size_t n) const;
    bool readExactAt(std::int64_t offset, void* dst, std::size_t n) const {
        return readAt(offset, dst, n) == n;
    }

private:
    int fd_ = -1;
    std::int64_t size_ = 0;
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

// A writer's selection: at least one index, each naming a variable, and
// samples to write.
bool validSelection(int nVars, int nPoints, const void* data, int nSel, const int* indices);

// Asks for huge pages on a large fresh block: filling it then costs far fewer
// page faults. A hint only.
void adviseHugePages(void* block, std::size_t bytes);

} // namespace adfmat
