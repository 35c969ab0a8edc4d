#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/dialogs.h"
#include "platform/ui/widget_box_presenter.h"

namespace corvane {
namespace {

TEST(WidgetBoxPresenter, BuildsTheBoxFromTheRequest) {
    const BoxRequest request{BoxKind::Message, "SMS", "Sent to Ann\rFailed for \xA3 Bob",
                             BoxButtons::YesNo, BoxIcon::Exclamation};
    const auto box = MakeMessageBox(request);

    EXPECT_EQ(box->windowTitle(), "SMS");
    EXPECT_EQ(box->text(), QString::fromUtf8("Sent to Ann\nFailed for \u00A3 Bob"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
}

TEST(WidgetBoxPresenter, PlainBoxHasOkAndNoIcon) {
    const auto box =
        MakeMessageBox({BoxKind::Message, "Corvane", "Done\r\n", BoxButtons::Ok, BoxIcon::None});
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->text(), "Done\n");
}

TEST(WidgetBoxPresenter, ExceptionAndSimpleMessageAreCaptionedWithTheProgramTitle) {
    std::vector<QString> titles;
    const BoxPresenter previous = SetBoxPresenter([&titles](const BoxRequest& request) {
        titles.push_back(MakeMessageBox(request)->windowTitle());
        return BoxAnswer::Ok;
    });
    ShowException("Invalid data type for 'ServerIPPort'");
    ShowMessage("Socket error");
    SetBoxPresenter(previous);
    EXPECT_EQ(titles, (std::vector<QString>{"Corvane", "Corvane"}));
}

// Shows a box through the installed widget presenter and lets `act` answer the
// real box once it is up.
BoxAnswer AskThroughRealBox(BoxButtons buttons, std::function<void(QMessageBox&)> act) {
    const BoxPresenter previous = SetBoxPresenter({});
    InstallWidgetBoxPresenter();
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box up";
            return;
        }
        act(*box);
    });
    const BoxAnswer answer = MessageBox("Delete the entry?", "Corvane", buttons);
    SetBoxPresenter(previous);
    return answer;
}

TEST(WidgetBoxPresenter, YesButtonAnswersYes) {
    EXPECT_EQ(AskThroughRealBox(BoxButtons::YesNo,
                                [](QMessageBox& box) {
                                    QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton);
                                }),
              BoxAnswer::Yes);
}

TEST(WidgetBoxPresenter, EscapeOnAQuestionAnswersNo) {
    EXPECT_EQ(AskThroughRealBox(BoxButtons::YesNo,
                                [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              BoxAnswer::No);
}

TEST(WidgetBoxPresenter, ClosingAPlainBoxAnswersOk) {
    EXPECT_EQ(AskThroughRealBox(BoxButtons::Ok, [](QMessageBox& box) { box.close(); }),
              BoxAnswer::Ok);
}

}  // namespace
}  // namespace corvane
