// The main window's life: the create steps, the first show, the button layout
// and the close.

#include "app/ui/tform1.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include "app/program_state.h"
#include "messaging/editor_rules.h"
#include "platform/ui/application.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/sorted_list_box.h"

namespace corvane {

TForm1::TForm1(std::optional<SettingsEnvironment> environment, QWidget* parent)
    : QMainWindow(parent),
      state_(std::make_unique<ProgramState>()),
      environment_(std::move(environment)) {
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

// The state lives as long as the window, not just until the close steps: a
// handler still waiting for the server when the window closes must find its
// lists intact rather than write an emptied log back to disk.
TForm1::~TForm1() = default;

void TForm1::ConnectHandlers() {
    Panel3->installEventFilter(this);
    connect(btnClose, &QPushButton::clicked, this, Guarded([this] { btnCloseClick(); }));
    connect(Exit1, &QAction::triggered, this, Guarded([this] { Exit1Click(); }));
    connect(CloseProgramTimer, &QTimer::timeout, this,
            Guarded([this] { CloseProgramTimerTimer(); }));
    connect(Memo1, &MemoEdit::textChanged, this, Guarded([this] { Memo1Change(); }));
    Memo1->installEventFilter(this);
    connect(ClearMessage1, &QAction::triggered, this, Guarded([this] { ClearMessage1Click(); }));
    connect(RestoreMessage1, &QAction::triggered, this,
            Guarded([this] { RestoreMessage1Click(); }));
    connect(btnSend, &QPushButton::clicked, this, Guarded([this] { btnSendClick(); }));
}

void TForm1::FormCreate() {
    ProgramState& state = *state_;
    state.FirstRun = LoadSettings(
        state.AppSettings, environment_ ? *environment_ : SettingsEnvironment::FromProcess());

    state.SignatureSuffix = SignatureSuffix(state.AppSettings);
    Memo1->SetMaxLength(MemoLimit(state.SignatureSuffix));
    Memo1Change();

    // The saved window layout is restored here, before the socket is pointed at
    // the server.

    state.Channel.SetTarget(ApplySettingsToSocket(state.AppSettings));

    LoadDataFile(state.LogList, state.AppSettings.DataFolder);
    LoadDataFile(state.AddressList, state.AppSettings.DataFolder);
    LoadDataFile(state.GroupList, state.AppSettings.DataFolder);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The program never hides its main window, so only the first show counts.
    if (shown_ || event->spontaneous())
        return;
    shown_ = true;
    Guarded([this] { FormShow(); })();
}

void TForm1::FormShow() {
    // The splash window and the start-up update check come first.

    // The update check may have asked to close the program: nothing more to set up.
    if (CloseProgramTimer->isActive())
        return;

    Panel3Resize();
    // The setup dialog opens here on the first run or with no server port.
    FillRecipientList();
    Memo1Change();
    StatusBar1->SetPanelText(1, std::string());
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The main window always lets the close proceed.
    event->accept();
    // A second close (the close timer keeps ticking until the program has ended)
    // finds the close steps done.
    if (closed_)
        return;
    closed_ = true;
    Guarded([this] { FormClose(); })();
    emit Closed();
}

void TForm1::FormClose() {
    // The window layout is saved here.
    CloseProgramTimer->stop();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel3 && event->type() == QEvent::Resize) {
        Guarded([this] { Panel3Resize(); })();
    }
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        bool handled = false;
        Guarded([&] { handled = Memo1KeyPress(static_cast<QKeyEvent*>(event)); })();
        if (handled)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::Panel3Resize() {
    const int button_height = Panel3->height() - 20;
    btnClose->setGeometry(Panel3->width() - btnClose->width() - 10, 10, btnClose->width(),
                          button_height);
    btnSend->setGeometry(btnClose->x() - btnSend->width() - 10, 10, btnSend->width(),
                         button_height);

    // The window's own width: the frame around it belongs to the window manager,
    // and the size the window opens with and keeps is its own size too.
    ListBox1->setFixedWidth((width() - 30) / 3);

    // The labels stand over the list and the editor; place those first.
    Panel1->layout()->activate();
    Label1->move(Panel4->mapFrom(this, ListBox1->mapTo(this, QPoint(0, 0))).x(), Label1->y());
    Label2->move(Panel4->mapFrom(this, Memo1->mapTo(this, QPoint(0, 0))).x(), Label2->y());
}

void TForm1::btnCloseClick() {
    close();
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::CloseProgramTimerTimer() {
    btnCloseClick();
}

void TForm1::Memo1Change() {
    StatusBar1->SetPanelText(0, MessageCounterText(static_cast<std::size_t>(Memo1->TextLength())));
}

}  // namespace corvane
