#pragma once

// Shows the program's boxes as real message boxes on the desktop.

#include <QMessageBox>
#include <memory>

#include "platform/dialogs.h"

namespace corvane {

// Builds the message box for a request: caption, text (a lone CR between lines
// becomes a line break), OK or Yes/No buttons, exclamation icon or none.
std::unique_ptr<QMessageBox> MakeMessageBox(const BoxRequest& request);

// The answer a closed box gave; Escape or the close box count as OK or No.
BoxAnswer AnswerOf(const QMessageBox& box, int result);

// Installs the presenter that shows each box modally and returns its answer.
void InstallWidgetBoxPresenter();

}  // namespace corvane
