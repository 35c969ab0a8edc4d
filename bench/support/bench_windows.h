#pragma once

// What a benchmark of the program's windows needs: an offscreen display, boxes
// and modal forms answered at once, and a way to wait until a window is up.

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/ui/application.h"
#include "platform/ui/modal.h"

class QWidget;

namespace corvane::bench {

// The program's application object as the window benchmarks need it: on the
// offscreen display unless the caller chose a platform, named as the program,
// and not quitting when a benchmark closes its last window.
class BenchApplication {
  public:
    BenchApplication(int& argc, char** argv);

  private:
    Application app_;
};

// Answers every box with OK (Yes for a question) and keeps its text, and rejects
// every modal form, so that no benchmark ever waits for a person.
class BoxAnswerer {
  public:
    BoxAnswerer();
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // The texts of the boxes shown since the last Take, and forgets them.
    std::vector<std::string> Take();
    // Window titles of the modal forms shown so far.
    const std::vector<std::string>& Forms() const { return forms_; }

  private:
    BoxPresenter previousBoxes_;
    ModalInterceptor previousForms_;
    std::vector<std::string> boxes_;
    std::vector<std::string> forms_;
};

// Processes events until `window` is exposed on the screen and its first paint
// is done; false when that takes longer than `timeout_ms`.
bool WaitUntilShown(QWidget& window, int timeout_ms = 10000);

}  // namespace corvane::bench
