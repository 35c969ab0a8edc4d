#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

namespace corvane::test {

ModalScript::ModalScript() {
    previous_ = SetModalInterceptor([this](QDialog& dialog) { return Present(dialog); });
}

ModalScript::~ModalScript() {
    SetModalInterceptor(previous_);
    if (!handlers_.empty())
        ADD_FAILURE() << handlers_.size() << " scripted modal forms never shown";
}

void ModalScript::Then(std::function<int(QDialog&)> handler) {
    handlers_.push_back(std::move(handler));
}

int ModalScript::Present(QDialog& dialog) {
    shown_.push_back(dialog.windowTitle().toStdString());
    if (handlers_.empty()) {
        ADD_FAILURE() << "modal form with no scripted handler: " << shown_.back();
        return QDialog::Rejected;
    }
    const std::function<int(QDialog&)> handler = std::move(handlers_.front());
    handlers_.pop_front();
    return handler(dialog);
}

void ModalScript::FailWrongForm(const QDialog& dialog) {
    ADD_FAILURE() << "modal form of another class than scripted: "
                  << dialog.windowTitle().toStdString() << " (" << dialog.metaObject()->className()
                  << ")";
}

}  // namespace corvane::test
