#pragma once

// The one way the program shows a message box. Every box goes through here, so
// that the desktop build can show a real window and the tests can record each box
// and answer it from a script. Texts are Windows-1252 byte strings; several lines
// in one box are separated by a single CR.

#include <functional>
#include <string>

namespace corvane {

enum class BoxButtons { Ok, YesNo };
enum class BoxIcon { None, Exclamation };
enum class BoxAnswer { Ok, Yes, No };

// Which facility asked for the box: a plain message box, the simple message
// display (captioned with the application title), or the standard exception box.
enum class BoxKind { Message, ShowMessage, Exception };

struct BoxRequest {
    BoxKind kind = BoxKind::Message;
    std::string title;
    std::string text;
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
};

using BoxPresenter = std::function<BoxAnswer(const BoxRequest&)>;

// Installs the presenter that shows every box and returns the one it replaces.
// The desktop program installs the widget presenter at start; tests install a recorder.
BoxPresenter SetBoxPresenter(BoxPresenter presenter);

// The application title, caption of ShowMessage and of the exception box.
inline constexpr const char* kApplicationTitle = "Corvane";

BoxAnswer MessageBox(const std::string& text, const std::string& title,
                     BoxButtons buttons = BoxButtons::Ok, BoxIcon icon = BoxIcon::None);
void ShowMessage(const std::string& text);
void ShowException(const std::string& text);

}  // namespace corvane
