#include "platform/ui/widget_box_presenter.h"

#include <QApplication>
#include <QPushButton>

#include "platform/win1252.h"

namespace corvane {

namespace {
// Lines in a box are separated by a single CR; a CR LF pair stays one break.
QString BoxText(const std::string& text) {
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}
}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const BoxRequest& request) {
    auto box = std::make_unique<QMessageBox>(QApplication::activeWindow());
    box->setWindowTitle(ToQString(request.title));
    box->setTextFormat(Qt::PlainText);
    box->setText(BoxText(request.text));
    box->setIcon(request.icon == BoxIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon);
    if (request.buttons == BoxButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    }
    return box;
}

BoxAnswer AnswerOf(const QMessageBox& box, int result) {
    if (box.standardButtons() == QMessageBox::Ok)
        return BoxAnswer::Ok;
    return result == QMessageBox::Yes ? BoxAnswer::Yes : BoxAnswer::No;
}

void InstallWidgetBoxPresenter() {
    SetBoxPresenter([](const BoxRequest& request) {
        const std::unique_ptr<QMessageBox> box = MakeMessageBox(request);
        const int result = box->exec();
        return AnswerOf(*box, result);
    });
}

}  // namespace corvane
