#include "CStrTok.h"

void CStrTok::SetText(const std::string& text) {
    text_ = text;
    last_ = false;
    exhausted_ = false;
    nSeparators_ = 0;
    for (char c : text_)
        if (c == separator) ++nSeparators_;
    start_ = 0;
    end_ = text_.find(separator);
    if (end_ == std::string::npos) {
        end_ = text_.size();
        last_ = true;
    } else {
        text_[end_] = '\0';
    }
}

const char* CStrTok::NextToken() {
    if (exhausted_) return nullptr;
    const char* token = text_.c_str() + start_;
    if (last_) {
        exhausted_ = true;
        return token;
    }
    start_ = end_ + 1;
    end_ = text_.find(separator, start_);
    if (end_ == std::string::npos) {
        end_ = text_.size();
        last_ = true;
    } else {
        text_[end_] = '\0';
    }
    return token;
}
