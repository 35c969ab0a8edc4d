#include "app/ui/program_windows.h"

#include "app/ui/tform1.h"
#include "messaging/ui/tdlg_enter_number.h"

namespace corvane {

ProgramWindows::ProgramWindows() = default;

ProgramWindows::~ProgramWindows() {
    // The dialogs are the main window's transients: they go before it.
    dlgEnterNumber.reset();
    Form1.reset();
}

std::unique_ptr<ProgramWindows> CreateProgramWindows(
    std::optional<SettingsEnvironment> environment) {
    auto windows = std::make_unique<ProgramWindows>();
    windows->Form1 = std::make_unique<TForm1>(std::move(environment));
    windows->Form1->Windows = windows.get();
    windows->dlgEnterNumber = std::make_unique<TdlgEnterNumber>(windows->Form1.get());
    return windows;
}

}  // namespace corvane
