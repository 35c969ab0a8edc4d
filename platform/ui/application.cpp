#include "platform/ui/application.h"

#include <exception>
#include <string>

#include "platform/dialogs.h"

namespace corvane {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unknown exception";
    }
}

void ShowCurrentException() {
    ShowException(CurrentExceptionText());
}

}  // namespace corvane
