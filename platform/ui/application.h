#pragma once

// The program's application object. An exception escaping an event handler is
// shown in the standard exception box, and the program goes on.

#include <QApplication>
#include <string>
#include <utility>

namespace corvane {

class Application : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text the exception box shows for the exception being handled; for use
// inside a catch block only.
std::string CurrentExceptionText();

// Shows the exception being handled in the standard exception box; for use
// inside a catch block only.
void ShowCurrentException();

// Wraps a handler so that an exception it throws is shown right where it leaves
// the handler. Qt's own frames between a signal and notify() are built without
// exception support, so an exception unwinding through them skips their
// clean-up; handlers connected to widget signals therefore catch at their edge,
// and notify() stays the last resort for everything else.
template <class Handler>
auto Guarded(Handler handler) {
    return [handler = std::move(handler)]() {
        try {
            handler();
        } catch (...) {
            ShowCurrentException();
        }
    };
}

}  // namespace corvane
