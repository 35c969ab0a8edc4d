#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "messaging/ui/tdlg_enter_number.h"
#include "platform/ui/modal.h"

namespace corvane {
namespace {

// Shows the dialog through the real modal loop and lets `act` work on it once it
// is up, as a user would.
int RunModal(TdlgEnterNumber& dialog, std::function<void()> act) {
    const ModalInterceptor previous = SetModalInterceptor({});
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        if (!QTest::qWaitForWindowActive(&dialog))
            ADD_FAILURE() << "dialog never became active";
        act();
    });
    const int result = ShowModal(dialog);
    SetModalInterceptor(previous);
    return result;
}

TEST(EnterNumberDialog, TypedNumberAndEnterAccept) {
    TdlgEnterNumber dialog;
    dialog.edMobileNumber->setText(QString());
    const int result = RunModal(dialog, [&dialog] {
        // The field has the focus as soon as the dialog is up.
        ASSERT_EQ(QApplication::focusWidget(), dialog.edMobileNumber);
        QTest::keyClicks(QApplication::focusWidget(), "07700 900123");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.edMobileNumber->text(), "07700 900123");
}

TEST(EnterNumberDialog, OkButtonAccepts) {
    TdlgEnterNumber dialog;
    const int result =
        RunModal(dialog, [&dialog] { QTest::mouseClick(dialog.OKBtn, Qt::LeftButton); });
    EXPECT_EQ(result, QDialog::Accepted);
}

struct CancelCase {
    const char* name;
    std::function<void(TdlgEnterNumber&)> act;
};

class EnterNumberCancel : public testing::TestWithParam<CancelCase> {};

TEST_P(EnterNumberCancel, GivesCancel) {
    TdlgEnterNumber dialog;
    dialog.edMobileNumber->setText("0123");
    const int result = RunModal(dialog, [&dialog] { GetParam().act(dialog); });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EnterNumberCancel,
    testing::Values(CancelCase{"Escape",
                               [](TdlgEnterNumber& dialog) {
                                   QTest::keyClick(dialog.edMobileNumber, Qt::Key_Escape);
                               }},
                    CancelCase{"CancelButton",
                               [](TdlgEnterNumber& dialog) {
                                   QTest::mouseClick(dialog.CancelBtn, Qt::LeftButton);
                               }},
                    CancelCase{"CloseBox", [](TdlgEnterNumber& dialog) { dialog.close(); }}),
    [](const testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.name); });

TEST(EnterNumberDialog, KeepsItsFixedClientSize) {
    TdlgEnterNumber dialog;
    dialog.show();
    dialog.resize(600, 400);
    EXPECT_EQ(dialog.size(), QSize(385, 144));
    EXPECT_EQ(dialog.windowTitle(), "Enter Destination Number");
}

}  // namespace
}  // namespace corvane
