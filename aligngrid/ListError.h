#pragma once
// The framework's list-index error. Stand-in until the framework has its own
// exception classes; replace this header by the framework's when it does.

#include <stdexcept>
#include <string>

class EListError : public std::out_of_range {
public:
    explicit EListError(int index)
        : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};
