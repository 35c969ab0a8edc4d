#pragma once

// Every window of the program, each created once at start and kept for the run.
// The main window reaches the dialogs through it.

#include <memory>
#include <optional>

#include "settings/settings_store.h"

namespace corvane {

class TForm1;
class TdlgEnterNumber;

struct ProgramWindows {
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // In the order they are created; they are destroyed the other way round,
    // the main window last.
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TdlgEnterNumber> dlgEnterNumber;
};

// Creates the windows in their order, the main window first; its create steps
// read the settings from `environment`, or from the process's own environment.
std::unique_ptr<ProgramWindows> CreateProgramWindows(
    std::optional<SettingsEnvironment> environment = std::nullopt);

}  // namespace corvane
