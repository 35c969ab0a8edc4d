// Entry of every test program: an offscreen application object, and a presenter
// that fails the test on any box the test did not ask a recorder to catch.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/dialogs.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    corvane::SetBoxPresenter([](const corvane::BoxRequest& request) {
        ADD_FAILURE() << "unexpected box: [" << request.title << "] " << request.text;
        return corvane::BoxAnswer::No;
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
