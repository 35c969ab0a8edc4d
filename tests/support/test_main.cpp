// Entry of every test program: the program's own application object, offscreen,
// with a presenter that fails the test on any box the test did not ask a recorder
// to catch, and an interceptor that does the same for modal forms, so that no
// test ever blocks on a window.

#include <gtest/gtest.h>

#include <QDialog>

#include "platform/dialogs.h"
#include "platform/ui/application.h"
#include "platform/ui/modal.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    corvane::Application app(argc, argv);
    QApplication::setApplicationName("Corvane");
    // Tests close main windows of their own; that must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
    corvane::SetBoxPresenter([](const corvane::BoxRequest& request) {
        ADD_FAILURE() << "unexpected box: [" << request.title << "] " << request.text;
        return corvane::BoxAnswer::No;
    });
    corvane::SetModalInterceptor([](QDialog& dialog) {
        ADD_FAILURE() << "unexpected modal form: " << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
