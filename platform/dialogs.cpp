#include "platform/dialogs.h"

#include <stdexcept>
#include <utility>

namespace corvane {

namespace {
BoxPresenter& Presenter() {
    static BoxPresenter presenter;
    return presenter;
}

BoxAnswer Present(BoxRequest request) {
    const BoxPresenter& presenter = Presenter();
    if (!presenter) {
        // No window system to ask: a box nobody can answer must not pass silently.
        throw std::logic_error("message box shown with no presenter installed: " + request.text);
    }
    return presenter(request);
}
}  // namespace

BoxPresenter SetBoxPresenter(BoxPresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}

BoxAnswer MessageBox(const std::string& text, const std::string& title, BoxButtons buttons,
                     BoxIcon icon) {
    return Present({BoxKind::Message, title, text, buttons, icon});
}

void ShowMessage(const std::string& text) {
    Present({BoxKind::ShowMessage, kApplicationTitle, text, BoxButtons::Ok, BoxIcon::None});
}

void ShowException(const std::string& text) {
    Present({BoxKind::Exception, kApplicationTitle, text, BoxButtons::Ok, BoxIcon::None});
}

}  // namespace corvane
