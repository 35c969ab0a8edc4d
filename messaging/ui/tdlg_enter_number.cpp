#include "messaging/ui/tdlg_enter_number.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "platform/ui/classic_font.h"

namespace corvane {

TdlgEnterNumber::TdlgEnterNumber(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Enter Destination Number"));
    setFont(ClassicFont(11));
    setFixedSize(385, 144);

    // The frame first, so that the label and the field lie above it.
    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(10, 10, 365, 79);

    Label1 = new QLabel(QStringLiteral("Destination Mobile Number:"), this);
    Label1->move(24, 24);
    Label1->adjustSize();

    edMobileNumber = new QLineEdit(this);
    edMobileNumber->setGeometry(24, 48, 337, 24);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setGeometry(97, 102, 93, 30);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    // Escape and the close box reject the dialog as Cancel does.
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setGeometry(196, 102, 92, 30);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(edMobileNumber, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

void TdlgEnterNumber::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    edMobileNumber->setFocus();
    QDialog::showEvent(event);
}

}  // namespace corvane
