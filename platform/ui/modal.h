#pragma once

// The one way the program shows a form modally. Tests put an interceptor in front
// of it that fills the form's fields and answers without ever blocking.

#include <functional>

class QDialog;

namespace corvane {

using ModalInterceptor = std::function<int(QDialog&)>;

// Shows the dialog modally and returns its result (QDialog::Accepted or Rejected),
// or hands it to the installed interceptor instead.
int ShowModal(QDialog& dialog);

// Installs an interceptor (an empty one restores the real modal loop) and returns
// the one it replaces.
ModalInterceptor SetModalInterceptor(ModalInterceptor interceptor);

}  // namespace corvane
