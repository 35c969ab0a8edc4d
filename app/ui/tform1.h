#pragma once

// The main window: the message editor, the recipient list and the menu from
// which every other window is opened. It owns the program-wide state, which the
// dialogs reach through it.

#include <QMainWindow>
#include <memory>
#include <optional>

#include "settings/settings_store.h"

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTimer;

namespace corvane {

class MemoEdit;
class PanelStatusBar;
class ProgramState;
struct ProgramWindows;
class RadioGroup;
class SortedListBox;

class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    // The settings are read from `environment`, or from the process's own
    // environment when none is given.
    explicit TForm1(std::optional<SettingsEnvironment> environment = std::nullopt,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    ProgramState& State() { return *state_; }

    // The program's other windows; set once they exist, right after this one.
    ProgramWindows* Windows = nullptr;

    // Controls, top to bottom.
    QFrame* Panel2;
    QLabel* Panel9;
    RadioGroup* RadioGroup1;
    QFrame* Panel4;
    QLabel* Label1;
    QLabel* Label2;
    QFrame* Panel1;
    QFrame* Panel5;
    SortedListBox* ListBox1;
    QFrame* Panel6;
    MemoEdit* Memo1;
    QFrame* Panel7;
    QFrame* Panel3;
    QPushButton* btnSend;
    QPushButton* btnClose;
    PanelStatusBar* StatusBar1;
    QTimer* CloseProgramTimer;

    // The main menu.
    QMenuBar* MainMenu1;
    QMenu* File1;
    QAction* Exit1;
    QMenu* Edit1;
    QAction* AddressBook1;
    QAction* Groups1;
    QAction* ClearMessage1;
    QAction* RestoreMessage1;
    QAction* N1;
    QAction* Setup1;
    QAction* SendersNumber1;
    QMenu* View1;
    QAction* Log1;
    QAction* Credit1;
    QAction* Usage1;
    QMenu* Help1;
    QAction* CheckWebforUpdates1;
    QAction* About1;

    // Event handlers.
    void FormCreate();
    void FormShow();
    void FormClose();
    void Panel3Resize();
    void btnCloseClick();
    void Exit1Click();
    void CloseProgramTimerTimer();
    void Memo1Change();
    // Filters a key stroke typed into the editor; true when it was discarded or
    // replaced here, false when the editor should take it as it is.
    bool Memo1KeyPress(QKeyEvent* event);
    void ClearMessage1Click();
    void RestoreMessage1Click();
    void FillRecipientList();
    void btnSendClick();

  Q_SIGNALS:
    // The close steps have run; the program ends with the main window.
    void Closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void CreateMenu();
    void ConnectHandlers();

    std::unique_ptr<ProgramState> state_;
    std::optional<SettingsEnvironment> environment_;
    bool shown_ = false;
    bool closed_ = false;
};

}  // namespace corvane
