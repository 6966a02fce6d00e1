#pragma once
// An environment variable set, or unset, for a scope, and put back as it was afterwards.

#include <stdlib.h>

#include <optional>
#include <string>

namespace testsupport {

class ScopedEnv {
public:
    // value nothing: the variable is unset for the object's life.
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = ::getenv(name))
            m_old = old;
        Set(value);
    }
    // value nullptr: unset.
    ScopedEnv(const char* name, const char* value)
        : ScopedEnv(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt) {}
    ~ScopedEnv() { Set(m_old); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) const {
        if (value)
            ::setenv(m_name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace testsupport
