#include "platform/ui/modal.h"

#include <QDialog>
#include <utility>

namespace corvane {

namespace {
ModalInterceptor& Interceptor() {
    static ModalInterceptor interceptor;
    return interceptor;
}
}  // namespace

int ShowModal(QDialog& dialog) {
    if (const ModalInterceptor& interceptor = Interceptor())
        return interceptor(dialog);
    return dialog.exec();
}

ModalInterceptor SetModalInterceptor(ModalInterceptor interceptor) {
    return std::exchange(Interceptor(), std::move(interceptor));
}

}  // namespace corvane
