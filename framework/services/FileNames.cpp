#include "services/FileNames.h"

#include <filesystem>
#include <unistd.h>

namespace {

size_t NameStart(std::string_view path) {
    size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

size_t ExtStart(std::string_view path) {
    size_t dot = path.rfind('.');
    return (dot == std::string_view::npos || dot < NameStart(path)) ? path.size() : dot;
}

} // namespace

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(NameStart(path)));
}

std::string ExtractFilePath(std::string_view path) {
    return std::string(path.substr(0, NameStart(path)));
}

std::string ExtractFileDir(std::string_view path) {
    size_t start = NameStart(path);
    if (start > 1) --start; // drop the separator unless it is the root
    return std::string(path.substr(0, start));
}

std::string ExtractFileExt(std::string_view path) {
    return std::string(path.substr(ExtStart(path)));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    std::string result(path.substr(0, ExtStart(path)));
    result += ext;
    return result;
}

std::string ExpandFileName(std::string_view path) {
    if (path.empty()) return {};
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) return std::string(path);
    return absolute.lexically_normal().string();
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool SetCurrentDir(std::string_view dir) {
    return ::chdir(std::string(dir).c_str()) == 0;
}

std::string GetCurrentDir() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}
