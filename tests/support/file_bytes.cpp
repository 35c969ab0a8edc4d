#include "tests/support/file_bytes.h"

#include <fstream>
#include <sstream>

namespace corvane::test {

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace corvane::test
