#include <gtest/gtest.h>

#include "session/support.h"

namespace corvane {
namespace {

TEST(HexEncode, EncodesBytesAsUpperCasePairs) {
    EXPECT_EQ(HexEncode("abc"), "616263");
    EXPECT_EQ(HexEncode(std::string(1, '\n')), "0A");
    EXPECT_EQ(HexEncode("\xFF"), "FF");
    EXPECT_EQ(HexEncode(""), "");
}

}  // namespace
}  // namespace corvane
