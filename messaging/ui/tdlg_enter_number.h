#pragma once

// The dialog in which the send operation asks for one destination number when
// no recipient is selected. The caller fills and reads edMobileNumber; OK
// (or Enter) accepts, Cancel, Escape or the close box reject.

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace corvane {

class TdlgEnterNumber : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgEnterNumber(QWidget* parent = nullptr);

    QFrame* Bevel1;
    QLabel* Label1;
    QLineEdit* edMobileNumber;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace corvane
