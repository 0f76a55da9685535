#include "GuiTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace corvellan::test {

void MainWindowTest::SetUp() {
    window = std::make_unique<TMainForm>(model, sound);
    window->timer()->stop();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowTest::TearDown() {
    window.reset();
}

QPushButton* MainWindowTest::button(const char* name) const {
    auto* b = window->findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QScrollBar* MainWindowTest::bar(const char* name) const {
    auto* b = window->findChild<QScrollBar*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

QAction* MainWindowTest::action(const char* name) const {
    auto* a = window->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
}

void MainWindowTest::click(const char* name) const {
    QPushButton* b = button(name);
    ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

void MainWindowTest::whileModal(const std::function<void()>& open,
                                const std::function<void()>& drive) {
    bool driven = false;
    QTimer::singleShot(0, [&] {
        driven = true;
        drive();
        // A test that left the dialog open must not hang the run.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "dialog left open";
            modal->close();
        }
    });
    open();
    EXPECT_TRUE(driven);
}

} // namespace corvellan::test
