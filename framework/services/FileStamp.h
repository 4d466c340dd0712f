#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// Packed DOS date and time: bits 0-4 seconds / 2, 5-10 minutes, 11-15 hours, 16-20 day,
// 21-24 month, 25-31 year - 1980. Times before 1980 give 1980-01-01 00:00:00 and times after
// 2107 give 2107-12-31 23:59:58, the ends of what the format holds.
std::uint32_t PackDosDateTime(const std::tm& local);

// The packed local time of the file's last modification: 0 with `stamp` set; 1 when the
// file cannot be opened for reading (a folder included); -1 when its time cannot be read.
int GetFileStamp(const std::string& path, std::uint32_t& stamp);
