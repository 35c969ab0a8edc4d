// The main window's controls, menu and layout.

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/tform1.h"
#include "platform/ui/classic_font.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/radio_group.h"
#include "platform/ui/sorted_list_box.h"

namespace corvane {

namespace {
QFrame* MakePanel(QWidget* parent, QFrame::Shape shape = QFrame::Panel) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(shape | QFrame::Raised);
    return panel;
}

QFrame* MakeSpacer(QWidget* parent) {
    QFrame* spacer = MakePanel(parent, QFrame::NoFrame);
    spacer->setFixedWidth(10);
    return spacer;
}
}  // namespace

void TForm1::CreateControls() {
    setWindowTitle(QStringLiteral("Corvane Message Centre"));
    setFont(ClassicFont(11));
    setMinimumSize(250, 380);
    move(225, 111);
    resize(469, 558);

    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel2 = MakePanel(client);
    Panel2->setFixedHeight(41);
    Panel2->setFont(ClassicFont(20, true));
    Panel9 = new QLabel(QStringLiteral("Corvane Message Centre "), Panel2);
    Panel9->setAlignment(Qt::AlignCenter);
    auto* title_band = new QVBoxLayout(Panel2);
    title_band->setContentsMargins(1, 1, 1, 1);
    title_band->addWidget(Panel9);
    column->addWidget(Panel2);

    RadioGroup1 =
        new RadioGroup(QStringLiteral("&Priority"), {"Low", "Normal", "Urgent"}, 3, client);
    RadioGroup1->setFixedHeight(40);
    RadioGroup1->SetItemIndex(1);
    RadioGroup1->setVisible(false);
    column->addWidget(RadioGroup1);

    Panel4 = MakePanel(client);
    Panel4->setFixedHeight(25);
    Label1 = new QLabel(QStringLiteral("Sent &To:"), Panel4);
    Label2 = new QLabel(QStringLiteral("&Message:"), Panel4);
    for (QLabel* label : {Label1, Label2}) {
        label->move(label->x(), 6);
        label->adjustSize();
    }
    column->addWidget(Panel4);

    Panel1 = MakePanel(client, QFrame::NoFrame);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Panel5 = MakeSpacer(Panel1);
    ListBox1 = new SortedListBox(Panel1);
    ListBox1->setFixedWidth(115);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setUniformItemSizes(true);
    Panel6 = MakeSpacer(Panel1);
    Memo1 = new MemoEdit(Panel1);
    Memo1->setFont(ClassicFont(17, true));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setMinimumWidth(0);
    Memo1->SetMaxLength(804);
    // Tab leaves the editor instead of typing a character the messages cannot hold.
    Memo1->setTabChangesFocus(true);
    Panel7 = MakeSpacer(Panel1);
    for (QWidget* part : {static_cast<QWidget*>(Panel5), static_cast<QWidget*>(ListBox1),
                          static_cast<QWidget*>(Panel6)}) {
        row->addWidget(part);
    }
    row->addWidget(Memo1, 1);
    row->addWidget(Panel7);
    column->addWidget(Panel1, 1);
    Label1->setBuddy(ListBox1);
    Label2->setBuddy(Memo1);

    Panel3 = MakePanel(client);
    Panel3->setFixedHeight(45);
    btnSend = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("&Send"), Panel3);
    btnClose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                               QStringLiteral("&Close"), Panel3);
    for (QPushButton* button : {btnSend, btnClose}) {
        button->setAutoDefault(false);
        button->setGeometry(0, 10, 75, 25);
    }
    column->addWidget(Panel3);

    StatusBar1 = new PanelStatusBar({150, 100}, this);
    setStatusBar(StatusBar1);

    CloseProgramTimer = new QTimer(this);
    CloseProgramTimer->setInterval(10);

    CreateMenu();
}

void TForm1::CreateMenu() {
    MainMenu1 = menuBar();
    auto entry = [](QMenu* menu, const char* caption) {
        return menu->addAction(QString::fromLatin1(caption));
    };

    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    Exit1 = entry(File1, "E&xit");

    Edit1 = MainMenu1->addMenu(QStringLiteral("&Edit"));
    AddressBook1 = entry(Edit1, "&Address Book");
    Groups1 = entry(Edit1, "&Groups");
    ClearMessage1 = entry(Edit1, "&Clear Message");
    RestoreMessage1 = entry(Edit1, "&Restore Message");
    RestoreMessage1->setEnabled(false);
    N1 = Edit1->addSeparator();
    Setup1 = entry(Edit1, "&Setup");
    SendersNumber1 = entry(Edit1, "Senders &Number");

    View1 = MainMenu1->addMenu(QStringLiteral("&View"));
    Log1 = entry(View1, "&Log");
    Credit1 = entry(View1, "&Credit");
    Credit1->setEnabled(false);
    Credit1->setVisible(false);
    Usage1 = entry(View1, "&Usage");

    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    CheckWebforUpdates1 = entry(Help1, "&Check Web for Updates");
    About1 = entry(Help1, "&About");
}

}  // namespace corvane
