#include "main/DataTableWindow.h"

#include "main/Controls.h"
#include "model/LocalTime.h"
#include "model/PivotDataTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace corvellan {

TDataTable::TDataTable(Model& model, Clock clock, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_(model), clock_(std::move(clock)) {
    setObjectName("TDataTable");
    setWindowTitle("Pivot Data Table");
    setModal(true);
    setGeometry(150, 110, 620, 400);

    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName("DataMemo");
    memo_->setFont(serifFont(12));
    // Rows stay whole; the memo scrolls both ways instead.
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(memo_);
    buildMenus();
}

void TDataTable::buildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QAction* close = bar->addAction("&Close ");
    close->setObjectName("Close1");
    connect(close, &QAction::triggered, this, &QDialog::close);
    bar->addAction(QString(14, ' '))->setObjectName("Blank");

    edit_ = bar->addMenu("&Edit");
    edit_->setObjectName("Edit1");
    cut_ = edit_->addAction("Cu&t");
    cut_->setObjectName("Cut1");
    copy_ = edit_->addAction("&Copy");
    copy_->setObjectName("Copy1");
    QAction* paste = edit_->addAction("&Paste");
    paste->setObjectName("Past1");
    edit_->addSeparator();
    selectAll_ = edit_->addAction("Select&All");
    selectAll_->setObjectName("SelectAll1");
    cut_->setEnabled(false);
    copy_->setEnabled(false);

    connect(edit_, &QMenu::aboutToShow, this, &TDataTable::editMenuOpening);
    connect(cut_, &QAction::triggered, this, [this] {
        memo_->cut();
        selectAll_->setEnabled(true);
    });
    connect(copy_, &QAction::triggered, this, [this] {
        memo_->copy();
        selectAll_->setEnabled(true);
    });
    connect(paste, &QAction::triggered, memo_, &QPlainTextEdit::paste);
    connect(selectAll_, &QAction::triggered, this, [this] {
        memo_->selectAll();
        cut_->setEnabled(true);
        copy_->setEnabled(true);
        selectAll_->setEnabled(false);
    });
}

void TDataTable::editMenuOpening() {
    if (memo_->textCursor().hasSelection()) {
        cut_->setEnabled(true);
        copy_->setEnabled(true);
    }
}

void TDataTable::showCaption(const std::string& caption) {
    const QString text = QString::fromStdString(caption);
    if (!text.isEmpty() && text != windowTitle()) setWindowTitle(text);
}

void TDataTable::build() {
    cut_->setEnabled(false);
    copy_->setEnabled(false);
    selectAll_->setEnabled(true);
    std::string date, time;
    if (clock_)
        clock_(date, time);
    else
        localDateTime(date, time);
    const std::string text = buildPivotDataTable(m_, date, time);
    // The whole table in one piece: no row-by-row appending, no flicker.
    memo_->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TDataTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    build();
}

void TDataTable::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // Tens of megabytes at the smallest step, which no one can see now (a
    // minimised window is still open and keeps its text).
    if (!event->spontaneous()) memo_->clear();
}

} // namespace corvellan
