#include "Strings.h"

void TStrings::Check(int index, int limit) const {
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::IndexOf(const std::string& value) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == value) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i)
        text += Get(i) + "\r\n";
    return text;
}

void TStrings::SetText(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    Assign(lines);
}

void TStrings::Assign(const std::vector<std::string>& items) {
    Clear();
    for (const auto& item : items)
        Add(item);
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> v;
    for (int i = 0; i < Count(); ++i)
        v.push_back(Get(i));
    return v;
}

std::string TStringList::Get(int index) const {
    Check(index, Count() - 1);
    return items_[static_cast<std::size_t>(index)];
}
void TStringList::Put(int index, const std::string& value) {
    Check(index, Count() - 1);
    items_[static_cast<std::size_t>(index)] = value;
}
void TStringList::Insert(int index, const std::string& value) {
    Check(index, Count());
    items_.insert(items_.begin() + index, value);
}
void TStringList::Delete(int index) {
    Check(index, Count() - 1);
    items_.erase(items_.begin() + index);
}
