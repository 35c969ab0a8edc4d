#pragma once

// A user whose homes lie in a fresh temporary folder: <root>/share is the data
// home (made at once), <root>/home the home folder (not made), the INI file
// <root>/opt/corvane.INI and the registry file under <root>/config are left for
// the test or the program to write.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "platform/registry_file.h"
#include "settings/settings_store.h"

namespace corvane::test {

class TempProfile {
  public:
    TempProfile();

    const std::string& Root() const { return root_; }
    // Mutable, so a test can point a folder elsewhere.
    SettingsEnvironment& Environment() { return env_; }
    const SettingsEnvironment& Environment() const { return env_; }
    // The data folder the program picks by default for this user.
    std::string DataFolder() const;

    // Opens the settings key as the program's writers do, for one access.
    template <typename Access>
    void WithSettings(Access access) const {
        Registry registry(env_.registryPath);
        ASSERT_TRUE(registry.OpenKey(kSettingsKey, true));
        access(registry);
    }

  private:
    QTemporaryDir dir_;
    std::string root_;
    SettingsEnvironment env_;
};

}  // namespace corvane::test
