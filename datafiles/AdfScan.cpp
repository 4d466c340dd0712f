#include "AdfScan.h"

#include "NumberText.h"

#include <algorithm>
#include <cstring>

namespace adf {

Separators::Separators(bool commas) {
    for (char c : {' ', '\t', '\r', '\n', '\v', '\f'})
        table_[static_cast<unsigned char>(c)] = true;
    table_[static_cast<unsigned char>(',')] = commas;
}

namespace {

// A block, or less for a file whose bytes from `start` on fit in less: small
// files then cost no large buffer.
std::size_t bufferFor(const InputFile& f, std::int64_t start) {
    const std::int64_t rest = std::max<std::int64_t>(f.size() - start, 0) + 1;
    return static_cast<std::size_t>(std::min<std::int64_t>(rest, kBlockSize));
}

void stripCr(std::string& row) {
    if (!row.empty() && row.back() == '\r') row.pop_back();
}

// Line feeds in [p, end), eight bytes at a time: a byte of v ^ 0x0a..0a is
// zero exactly where a line feed is, and t has its high bit clear exactly there.
std::int64_t countLineFeeds(const char* p, const char* end) {
    constexpr std::uint64_t kLf = 0x0a0a0a0a0a0a0a0aULL, kLow7 = 0x7f7f7f7f7f7f7f7fULL;
    std::int64_t n = 0;
    for (; end - p >= 8; p += 8) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        v ^= kLf;
        const std::uint64_t t = ((v & kLow7) + kLow7) | v;
        n += static_cast<std::int64_t>(((~t & ~kLow7) >> 7) * 0x0101010101010101ULL >> 56);
    }
    return n + std::count(p, end, '\n');
}

bool hasWord(const char* p, const char* end, const Separators& sep) {
    return std::any_of(p, end, [&](char c) { return !sep(c); });
}

// Rows 1 to 3 of a block: copies rows 1 and 2 and notes where row 3 begins.
// Returns where the rows after row 3 begin in the block (end when not yet).
const char* scanHead(const char* p, const char* end, std::int64_t blockOffset,
                     const char* blockStart, int& row, Layout& lay) {
    while (p < end && row < 3) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        const char* stop = lf ? lf : end;
        if (row == 0)
            lay.row1.append(p, std::min<std::size_t>(stop - p, kMaxRow1 - lay.row1.size()));
        else if (row == 1)
            lay.row2.append(p, stop);
        if (!lf) return end;
        p = lf + 1;
        if (++row == 2) lay.row3Start = blockOffset + (p - blockStart);
    }
    return p;
}

} // namespace

Layout scanLayout(const InputFile& f, const Separators& sep) {
    Layout lay;
    lay.row3Start = f.size();
    std::vector<char> buf(bufferFor(f, 0));
    int row = 0; // 0..2: inside rows 1..3; 3: after row 3
    std::int64_t offset = 0, lineFeeds = 0;
    bool tailHasWord = false; // a word after the last line feed
    for (;;) {
        const std::size_t n = f.readAt(offset, buf.data(), buf.size());
        if (n == 0) break;
        const char* end = buf.data() + n;
        const char* p = scanHead(buf.data(), end, offset, buf.data(), row, lay);
        if (row == 3 && p < end) {
            lineFeeds += countLineFeeds(p, end);
            const auto* last = static_cast<const char*>(memrchr(p, '\n', end - p));
            tailHasWord = last ? hasWord(last + 1, end, sep) : tailHasWord || hasWord(p, end, sep);
        }
        offset += static_cast<std::int64_t>(n);
        if (n < buf.size()) break;
    }
    stripCr(lay.row1);
    stripCr(lay.row2);
    lay.rowsAfterRow3 = lineFeeds + (tailHasWord ? 1 : 0);
    return lay;
}

std::vector<std::string> splitWords(std::string_view row, const Separators& sep) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < row.size()) {
        while (i < row.size() && sep(row[i]))
            ++i;
        const std::size_t start = i;
        while (i < row.size() && !sep(row[i]))
            ++i;
        if (i > start) words.emplace_back(row.substr(start, i - start));
    }
    return words;
}

TokenStream::TokenStream(const InputFile& f, std::int64_t start, const Separators& sep)
    : f_(f), sep_(sep), buf_(bufferFor(f, start)), fileOffset_(start) {}

bool TokenStream::refill(std::size_t keep) {
    const std::size_t kept = end_ - keep;
    std::memmove(buf_.data(), buf_.data() + keep, kept);
    pos_ -= keep;
    end_ = kept;
    if (eof_ || end_ == buf_.size()) return false;
    const std::size_t want = buf_.size() - end_;
    const std::size_t got = f_.readAt(fileOffset_, buf_.data() + end_, want);
    fileOffset_ += static_cast<std::int64_t>(got);
    end_ += got;
    if (got < want) eof_ = true;
    return got > 0;
}

TokenStream::Kind TokenStream::next(std::string_view& token, bool stopAtLineEnd) {
    for (;;) {
        while (pos_ < end_ && sep_(buf_[pos_])) {
            if (stopAtLineEnd && buf_[pos_] == '\n') {
                ++pos_;
                return Kind::lineEnd;
            }
            ++pos_;
        }
        if (pos_ == end_) {
            if (!refill(pos_)) return Kind::end;
            continue;
        }
        std::size_t e = pos_ + 1;
        while (e < end_ && !sep_(buf_[e]))
            ++e;
        Kind kind = Kind::token;
        if (e == end_ && !eof_) {
            // The word may go on in the next block; one longer than a whole
            // block is no number.
            if (refill(pos_)) continue;
            e = end_;
            kind = Kind::tooLong;
        }
        token = std::string_view(buf_.data() + pos_, e - pos_);
        pos_ = e;
        return kind;
    }
}

bool TokenStream::nextNumber(float& value) {
    // Short words are parsed where they lie in the block, in one scan; the
    // rest take the general way through next().
    constexpr std::size_t kShortWord = 64;
    while (pos_ < end_ && sep_(buf_[pos_]))
        ++pos_;
    if (end_ - pos_ < kShortWord && !eof_) refill(pos_);
    const char* p = buf_.data() + pos_;
    const char* end = buf_.data() + end_;
    if (p == end) return false;
    const char* stop = numtext::detail::parseSimplePrefix(p, end, value);
    if (stop && (stop == end ? eof_ : sep_(*stop))) {
        pos_ = static_cast<std::size_t>(stop - buf_.data());
        return true;
    }
    std::string_view token;
    if (next(token, false) != Kind::token) return false;
    const auto v = numtext::parseFloat(token);
    if (v) value = *v;
    return v.has_value();
}

} // namespace adf
