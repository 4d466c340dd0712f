#pragma once
// The two passes of the ADF reader over a file read in blocks: the layout
// pass finds rows 1 to 3 and counts the rows after them; the token stream
// then yields the words of row 3 and of the samples, never holding more than
// one block of the file.

#include "FileAccess.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace adf {

// Characters that separate words: blanks, tabs, carriage returns (left over
// from CR LF line ends), line feeds, and commas when they are enabled.
class Separators {
public:
    explicit Separators(bool commas);
    bool operator()(char c) const { return table_[static_cast<unsigned char>(c)]; }

private:
    std::array<bool, 256> table_{};
};

struct Layout {
    std::string row1;               // without its line end; cut at kMaxRow1 characters
    std::string row2;               // without its line end
    std::int64_t row3Start = 0;     // offset of row 3 (the file size when there is none)
    std::int64_t rowsAfterRow3 = 0; // line feeds after row 3, plus a last row without one
};

inline constexpr std::size_t kMaxRow1 = 64 * 1024;
inline constexpr std::size_t kBlockSize = std::size_t{1} << 20;

Layout scanLayout(const InputFile& f, const Separators& sep);

// Words of row 2.
std::vector<std::string> splitWords(std::string_view row, const Separators& sep);

class TokenStream {
public:
    TokenStream(const InputFile& f, std::int64_t start, const Separators& sep);

    enum class Kind { token, tooLong, lineEnd, end };
    // The next word. With stopAtLineEnd a line feed met first is returned as
    // lineEnd (and consumed); otherwise line feeds separate like blanks. A
    // word longer than a block comes as tooLong, its rest as further words.
    Kind next(std::string_view& token, bool stopAtLineEnd);

    // The next word as a number, for the samples (line feeds separate like
    // blanks); false at the end of the file or at a word that is no number.
    bool nextNumber(float& value);

private:
    // Keeps the bytes from `keep` on, moves them to the front and reads more
    // behind them; false when nothing more could be read.
    bool refill(std::size_t keep);

    const InputFile& f_;
    const Separators& sep_;
    std::vector<char> buf_;
    std::int64_t fileOffset_; // file offset of buf_[end_]
    std::size_t pos_ = 0, end_ = 0;
    bool eof_ = false;
};

} // namespace adf
