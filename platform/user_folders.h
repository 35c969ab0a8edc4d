#pragma once

// The per-user folders of the desktop conventions (XDG base directories). Paths
// are file-system bytes as the environment gives them.

#include <string>

namespace corvane {

// $HOME, else the home folder of the user's account entry; empty when neither is known.
std::string HomeFolder();

// $XDG_CONFIG_HOME when it holds an absolute path, else HomeFolder() + "/.config".
std::string ConfigHome();

// $XDG_DATA_HOME when it holds an absolute path, else HomeFolder() + "/.local/share";
// empty when no home folder is known.
std::string DataHome();

}  // namespace corvane
