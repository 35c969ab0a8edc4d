#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QLineEdit>

#include "messaging/ui/tdlg_enter_number.h"
#include "platform/ui/modal.h"
#include "tests/support/modal_script.h"

namespace corvane {
namespace {

TEST(ModalScript, HandsEachFormToTheNextHandlerWithoutShowingIt) {
    test::ModalScript script;
    script.ThenForm<TdlgEnterNumber>([](TdlgEnterNumber& dialog) {
        dialog.edMobileNumber->setText("07700 900123");
        return int(QDialog::Accepted);
    });
    script.Then([](QDialog&) { return int(QDialog::Rejected); });
    TdlgEnterNumber dialog;

    EXPECT_EQ(ShowModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.edMobileNumber->text(), "07700 900123");
    EXPECT_EQ(ShowModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(script.Shown(),
              (std::vector<std::string>{"Enter Destination Number", "Enter Destination Number"}));
}

TEST(ModalScript, FailsOnAnUnscriptedForm) {
    TdlgEnterNumber dialog;
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalScript script;
            EXPECT_EQ(ShowModal(dialog), QDialog::Rejected);
        },
        "modal form with no scripted handler: Enter Destination Number");
}

TEST(ModalScript, FailsOnAFormOfAnotherClass) {
    QDialog other;
    other.setWindowTitle("Setup");
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalScript script;
            script.ThenForm<TdlgEnterNumber>(
                [](TdlgEnterNumber&) { return int(QDialog::Accepted); });
            EXPECT_EQ(ShowModal(other), QDialog::Rejected);
        },
        "modal form of another class than scripted: Setup");
}

TEST(ModalScript, FailsOnAHandlerNeverUsed) {
    EXPECT_NONFATAL_FAILURE(
        {
            test::ModalScript script;
            script.Then([](QDialog&) { return int(QDialog::Accepted); });
        },
        "1 scripted modal forms never shown");
}

}  // namespace
}  // namespace corvane
