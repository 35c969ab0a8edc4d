#include <gtest/gtest.h>

#include "platform/version_info.h"

namespace corvane {
namespace {

TEST(ReadVersionString, ReadsTheProgramsOwnStrings) {
    EXPECT_EQ(ReadVersionString("FileVersion"), "2.0.3.2");
    EXPECT_EQ(ReadVersionString("ProductVersion"), "2.0");
    for (const char* name :
         {"ProductName", "FileDescription", "InternalName", "OriginalFilename"}) {
        EXPECT_EQ(ReadVersionString(name), "Corvane") << name;
    }
    EXPECT_EQ(ReadVersionString("CompanyName"), "Corvane Software");
    EXPECT_EQ(ReadVersionString("LegalCopyright"), "Copyright (C) 2026 Corvane Software");
    EXPECT_EQ(ReadVersionString("Comments"), "");
    EXPECT_EQ(ReadVersionString("LegalTrademarks"), "");
    EXPECT_EQ(ReadVersionString("PrivateBuild"), "");
    EXPECT_EQ(ReadVersionString("fileversion"), "");
}

TEST(ReadVersionString, LooksUpTheTableOfTheFirstTranslation) {
    VersionInfo info;
    EXPECT_EQ(ReadVersionString(info, "FileVersion"), "");  // no translation table
    info.translations = {{0x0409, 0x04b0}, {0x0809, 0x04e4}};
    info.stringTables["080904E4"]["FileVersion"] = "1.0.0.0";
    EXPECT_EQ(ReadVersionString(info, "FileVersion"), "");  // the first one names no table
    info.stringTables["040904B0"]["FileVersion"] = "3.1.4.1";
    EXPECT_EQ(ReadVersionString(info, "FileVersion"), "3.1.4.1");
}

}  // namespace
}  // namespace corvane
