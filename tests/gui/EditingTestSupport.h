#pragma once
// What the tests of editing the gear share: a main window that is the active
// window (so focus moves deliver their events), clicks on the parts of a
// scroll bar, and the dimension dialogs reached through the menus.

#include "GuiTestSupport.h"
#include "ModalScript.h"

#include "dimensions/DimensionBox.h"
#include "dimensions/DimensionDialog.h"
#include "model/Numeric.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <string>

namespace corvellan::test {

class EditingTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        activate(window.get());
    }

    // The centre of one part of a horizontal scroll bar (an arrow, the
    // trough on either side of the thumb, the thumb).
    static QPoint partOf(QScrollBar* bar, QStyle::SubControl part) { return scrollBarPart(bar, part); }

    static void clickPart(QScrollBar* bar, QStyle::SubControl part) { clickScrollBarPart(bar, part); }

    // A value as the dialogs and panels show it: 3 decimals.
    static std::string shown(Real value) { return formatFixed(value, 1, 3); }

    // Opens a dialog through its menu item and runs the script's steps on it.
    int throughMenu(const char* item, ModalScript& script) {
        return script.run([this, item] { action(item)->trigger(); });
    }

    // Types `text` into row `row` (Edit1 is row 0) of a dimension dialog and
    // leaves the box with Enter, as a user does.
    static void typeIntoBox(QWidget* dialog, int row, const QString& text) {
        auto* d = static_cast<DimensionDialog*>(dialog);
        activate(d);
        DimensionBox* box = d->box(row);
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    static void clickClose(QWidget* dialog) {
        QTest::mouseClick(static_cast<DimensionDialog*>(dialog)->closeButton(), Qt::LeftButton);
    }
};

} // namespace corvellan::test
