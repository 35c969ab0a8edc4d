#include "tests/support/environment_guard.h"

#include <cstdlib>

namespace corvane::test {

EnvironmentGuard::EnvironmentGuard(const char* name) : name_(name) {
    if (const char* value = std::getenv(name))
        saved_ = value;
}

EnvironmentGuard::~EnvironmentGuard() {
    if (saved_) {
        setenv(name_.c_str(), saved_->c_str(), 1);
    } else {
        unsetenv(name_.c_str());
    }
}

}  // namespace corvane::test
