// The program's entry: the application object, the windows, the message loop.

#include <QApplication>
#include <memory>

#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "platform/dialogs.h"
#include "platform/ui/application.h"
#include "platform/ui/widget_box_presenter.h"

int main(int argc, char** argv) {
    corvane::Application app(argc, argv);
    corvane::InstallWidgetBoxPresenter();
    try {
        QApplication::setApplicationName(corvane::kApplicationTitle);
        const std::unique_ptr<corvane::ProgramWindows> windows = corvane::CreateProgramWindows();
        // Closing the main window ends the program, even with other windows
        // (the splash) still up.
        QObject::connect(windows->Form1.get(), &corvane::TForm1::Closed, &app,
                         &QCoreApplication::quit, Qt::QueuedConnection);
        windows->Form1->show();
        return QApplication::exec();
    } catch (...) {
        corvane::ShowCurrentException();
        return 1;
    }
}
