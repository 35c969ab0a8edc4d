#pragma once

// A file's bytes as they are on disk, for tests that check what was written.

#include <string>

namespace corvane::test {

// The whole file; empty when it cannot be opened.
std::string ReadFileBytes(const std::string& path);

}  // namespace corvane::test
