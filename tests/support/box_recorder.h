#pragma once

// Stands in for the real message boxes during a test: records every box, answers
// Yes/No boxes from a script, and fails the test on a box nobody scripted or
// checked, so that no test ever blocks on a real window.

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace corvane::test {

class BoxRecorder {
  public:
    BoxRecorder();
    ~BoxRecorder();
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    // Queues the answer for the next Yes/No box. OK-only boxes are answered OK.
    void Script(BoxAnswer answer);

    // Hands the boxes recorded so far to the test and forgets them. Boxes never
    // taken fail the test when the recorder goes out of scope.
    std::vector<BoxRequest> Take();
    // The texts of Take(), for the common check.
    std::vector<std::string> TakeTexts();

  private:
    BoxAnswer Present(const BoxRequest& request);

    BoxPresenter previous_;
    std::deque<BoxAnswer> script_;
    std::vector<BoxRequest> boxes_;
};

}  // namespace corvane::test
