#include "bench/support/bench_windows.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include "platform/win1252.h"

namespace corvane::bench {

namespace {

// The platform is read when the application object is made: choose it first.
int& WithOffscreenPlatform(int& argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

}  // namespace

BenchApplication::BenchApplication(int& argc, char** argv)
    : app_(WithOffscreenPlatform(argc), argv) {
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setQuitOnLastWindowClosed(false);
}

BoxAnswerer::BoxAnswerer() {
    previousBoxes_ = SetBoxPresenter([this](const BoxRequest& request) {
        boxes_.push_back(request.text);
        return request.buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    });
    previousForms_ = SetModalInterceptor([this](QDialog& dialog) {
        forms_.push_back(FromQString(dialog.windowTitle()));
        return int(QDialog::Rejected);
    });
}

BoxAnswerer::~BoxAnswerer() {
    SetBoxPresenter(std::move(previousBoxes_));
    SetModalInterceptor(std::move(previousForms_));
}

std::vector<std::string> BoxAnswerer::Take() {
    std::vector<std::string> taken;
    taken.swap(boxes_);
    return taken;
}

bool WaitUntilShown(QWidget& window, int timeout_ms) {
    QElapsedTimer elapsed;
    elapsed.start();
    // The offscreen platform exposes a window within a pass or two of the event
    // loop; nothing else is running, so looking again at once costs nothing.
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        if (elapsed.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    // The paints the exposure asked for.
    QCoreApplication::processEvents();
    return true;
}

}  // namespace corvane::bench
