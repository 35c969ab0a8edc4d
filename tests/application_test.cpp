#include <gtest/gtest.h>

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "platform/ui/application.h"
#include "tests/support/box_recorder.h"

namespace corvane {
namespace {

// An object whose event handler fails on every event of the user type.
class FailingHandler : public QObject {
  public:
    int handled = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        throw std::runtime_error("Invalid data type for 'ServerIPPort'");
    }
};

void ExpectExceptionBoxes(test::BoxRecorder& boxes, std::size_t count, const std::string& text) {
    const std::vector<BoxRequest> shown = boxes.Take();
    ASSERT_EQ(shown.size(), count);
    for (const BoxRequest& box : shown) {
        EXPECT_EQ(box.kind, BoxKind::Exception);
        EXPECT_EQ(box.title, "Corvane");
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.buttons, BoxButtons::Ok);
        EXPECT_EQ(box.icon, BoxIcon::None);
    }
}

TEST(Application, IsTheProgramsOwnApplicationObject) {
    ASSERT_NE(dynamic_cast<Application*>(QCoreApplication::instance()), nullptr);
}

TEST(Application, ExceptionFromAnEventHandlerIsShownAndTheProgramGoesOn) {
    test::BoxRecorder boxes;
    FailingHandler handler;
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));

    QCoreApplication::processEvents();

    EXPECT_EQ(handler.handled, 2);
    ExpectExceptionBoxes(boxes, 2, "Invalid data type for 'ServerIPPort'");
}

TEST(Application, ExceptionOfAnyTypeFromATimerIsShown) {
    test::BoxRecorder boxes;
    bool later_ran = false;
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(1, [&later_ran] { later_ran = true; });

    QTRY_VERIFY_WITH_TIMEOUT(later_ran, 2000);

    ExpectExceptionBoxes(boxes, 1, "Unknown exception");
}

TEST(Application, GuardedClickHandlerShowsItsExceptionAndTheButtonStillWorks) {
    test::BoxRecorder boxes;
    QPushButton button("Go");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, Guarded([&clicks] {
        ++clicks;
        throw std::runtime_error("Invalid data type for 'ServerIPPort'");
    }));
    button.show();

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);

    EXPECT_EQ(clicks, 2);
    ExpectExceptionBoxes(boxes, 2, "Invalid data type for 'ServerIPPort'");
}

}  // namespace
}  // namespace corvane
