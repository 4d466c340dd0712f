#pragma once
// Splits a line at one separator character and, unlike strtok, returns the
// empty fields between consecutive separators.

#include <string>

class CStrTok {
public:
    CStrTok() = default;
    void SetText(const std::string& text);
    // Null once every field has been returned.
    const char* NextToken();

    char separator = ',';

private:
    int nSeparators_ = 0;
    bool last_ = false;
    bool exhausted_ = true;
    std::string text_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
};
