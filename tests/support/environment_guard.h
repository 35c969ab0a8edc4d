#pragma once

// Puts one environment variable back as it was (set or unset) when the test is
// done with it, so a test that steers a lookup through the environment leaves
// the next test the process's own.

#include <optional>
#include <string>

namespace corvane::test {

class EnvironmentGuard {
  public:
    explicit EnvironmentGuard(const char* name);
    ~EnvironmentGuard();
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace corvane::test
