#include "DiagramWindowTestSupport.h"

#include "main/DiagramCommands.h"
#include "model/DynVars.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace corvellan::test {

namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpMs = 5000;

} // namespace

void whenModal(QWidget* window, std::function<void()> act, std::function<bool()> ready) {
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [=] {
        const bool onTop = QApplication::activeModalWidget() == window && window->isVisible();
        // Keys and focus go to the active window, as they would for a user.
        if (onTop && !window->isActiveWindow()) window->activateWindow();
        if (onTop && window->isActiveWindow() && (!ready || ready())) {
            poll->stop();
            poll->deleteLater();
            act();
            return;
        }
        if (clock->elapsed() > kGiveUpMs) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << window->objectName().toStdString() << " never came up";
            while (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    poll->start(kPollMs);
}

int inkIn(const QImage& image, const QRect& rect) {
    int ink = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++ink;
    return ink;
}

void DiagramWindowTest::SetUp() {
    window = std::make_unique<TMainForm>(model, sound);
    window->timer()->stop();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void DiagramWindowTest::TearDown() {
    window.reset();
}

const DiagramWindows& DiagramWindowTest::windows() const {
    return window->diagrams().windows();
}

QAction* DiagramWindowTest::mainAction(const char* name) const {
    auto* a = window->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
}

void DiagramWindowTest::bindDriverDia() {
    RegisterDimension(model, 1, model.frame.DriverDia, "Driver Dia");
}

} // namespace corvellan::test
