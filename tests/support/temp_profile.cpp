#include "tests/support/temp_profile.h"

#include <filesystem>

namespace corvane::test {

TempProfile::TempProfile() : root_(dir_.path().toStdString()) {
    std::filesystem::create_directories(root_ + "/share");
    env_.dataHome = root_ + "/share";
    env_.homeDir = root_ + "/home";
    env_.iniPath = root_ + "/opt/corvane.INI";
    env_.registryPath = root_ + "/config/Corvane/registry.reg";
}

std::string TempProfile::DataFolder() const {
    return root_ + "/share/Corvane/Data";
}

}  // namespace corvane::test
