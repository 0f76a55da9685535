#include "GuiTestSupport.h"

#include <QApplication>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

namespace corvellan::test {

QPoint scrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    if (bar->orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar).center();
}

void clickScrollBarPart(QScrollBar* bar, QStyle::SubControl part) {
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, scrollBarPart(bar, part));
}


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
