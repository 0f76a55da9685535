#include "main/EntryDialog.h"

#include "main/Controls.h"
#include "model/Motion.h"

#include <QLabel>
#include <QPushButton>

namespace corvellan {

EntryDialog::EntryDialog(const char* name, const char* caption, QSize size, bool allowMinus,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(size);
    setFont(sansFont(11));
    setModal(true);
    enter_ = new QLabel("Enter", this);
    edit_ = new KeyFilterEdit(
        [allowMinus](char key, const std::string& text) {
            return entryKeyAccepted(key, text, allowMinus);
        },
        this);
    edit_->setObjectName("Edit1");
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("OK");
    ok_->setDefault(true);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("Cancel");
    connect(ok_, &QPushButton::clicked, this, &EntryDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &EntryDialog::reject);
}

QLabel* EntryDialog::addLabel(const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void EntryDialog::fitWidth(QLabel* label) {
    QFont font = label->font();
    while (label->x() + label->sizeHint().width() > width() - 2 && font.pixelSize() > 8) {
        font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }
    label->adjustSize();
}

void EntryDialog::placeEntryRow(int top) {
    const int right = width() - 4;
    cancel_->setGeometry(right - 52, top, 52, 22);
    ok_->setGeometry(right - 52 - 4 - 46, top, 46, 22);
    enter_->move(4, top + 4);
    enter_->adjustSize();
    const int editLeft = enter_->x() + enter_->width() + 4;
    edit_->setGeometry(editLeft, top + 1, ok_->x() - 6 - editLeft, 20);
}

void EntryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
    cancel_->setFocus();
}

void EntryDialog::accept() {
    apply();
    QDialog::accept();
}

long double EntryDialog::entry() const {
    return entryValue(edit_->text().toStdString());
}

} // namespace corvellan
