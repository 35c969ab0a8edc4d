#pragma once

// The program's application object. An exception escaping an event handler is
// shown in the standard exception box, and the program goes on.

#include <QApplication>

namespace corvane {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text the exception box shows for the exception being handled; for use
// inside a catch block only.
std::string CurrentExceptionText();

}  // namespace corvane
