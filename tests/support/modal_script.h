#pragma once

// Stands in for modal dialogs during a test: each form shown modally is handed to
// the next scripted handler, which may fill its fields and gives the modal result.
// A form shown with no handler left fails the test and is rejected; handlers
// never used fail the test when the script goes out of scope.

#include <QDialog>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/modal.h"

namespace corvane::test {

class ModalScript {
  public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Queues a handler for the next modal form, whatever its class.
    void Then(std::function<int(QDialog&)> handler);

    // Queues a handler for the next modal form, which must be a Form; any other
    // form fails the test and is rejected.
    template <class Form>
    void ThenForm(std::function<int(Form&)> handler) {
        Then([handler = std::move(handler)](QDialog& dialog) {
            if (auto* form = dynamic_cast<Form*>(&dialog))
                return handler(*form);
            FailWrongForm(dialog);
            return int(QDialog::Rejected);
        });
    }

    // Window titles of the forms shown so far, in order.
    const std::vector<std::string>& Shown() const { return shown_; }

  private:
    int Present(QDialog& dialog);
    static void FailWrongForm(const QDialog& dialog);

    ModalInterceptor previous_;
    std::deque<std::function<int(QDialog&)>> handlers_;
    std::vector<std::string> shown_;
};

}  // namespace corvane::test
