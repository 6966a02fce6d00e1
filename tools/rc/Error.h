#pragma once
// The one kind of failure the resource compiler reports: something wrong at a place in a script.

#include <stdexcept>
#include <string>

namespace rc {

struct Location {
    std::string file;
    int line = 0;
};

class Error : public std::runtime_error {
public:
    Error(Location where, const std::string& message)
        : std::runtime_error(message), m_where(std::move(where)) {}
    const Location& Where() const { return m_where; }
    // "FILE:LINE: message", or "FILE: message" when no line applies.
    std::string Describe() const;

private:
    Location m_where;
};

}  // namespace rc
