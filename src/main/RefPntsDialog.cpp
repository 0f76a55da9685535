#include "main/RefPntsDialog.h"

#include "main/Controls.h"
#include "main/KeyFilterEdit.h"

#include <QLabel>
#include <QPushButton>

namespace corvellan {

TRefPnts::TRefPnts(Model& model, std::function<void()> changed, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_(model), changed_(std::move(changed)) {
    setObjectName("TRefPnts");
    setWindowTitle("Reference Points");
    setFixedSize(208, 76);
    setFont(sansFont(11));
    setModal(true);

    const char* labels[4] = {"RefPt V1", "RefPt H1", "RefPt V2", "RefPt H2"};
    for (int i = 0; i < 4; ++i) {
        const int left = (i % 2) * 104, top = 4 + (i / 2) * 23;
        auto* label = new QLabel(labels[i], this);
        label->setGeometry(left + 4, top + 2, 46, 16);
        boxes_[i] = new KeyFilterEdit(refDialogKeyAccepted, this);
        boxes_[i]->setObjectName(QString("Edit%1").arg(i + 1));
        boxes_[i]->setGeometry(left + 50, top, 50, 20);
    }

    auto button = [this](const char* name, int left) {
        auto* b = new QPushButton(name, this);
        b->setObjectName(name);
        b->setGeometry(left, 51, 62, 22);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* ok = button("OK", 4);
    QPushButton* zero = button("Zero", 73);
    cancel_ = button("Cancel", 142);
    connect(ok, &QPushButton::clicked, this, [this] { finish(refDialogOk); });
    connect(zero, &QPushButton::clicked, this,
            [this] { finish([](Model& m, const RefDialogTexts&) { refDialogZero(m); }); });
    connect(cancel_, &QPushButton::clicked, this,
            [this] { finish([](Model& m, const RefDialogTexts&) { refDialogCancel(m); }); });
}

void TRefPnts::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const RefDialogTexts texts = refDialogTexts(m_);
    for (int i = 0; i < 4; ++i)
        boxes_[i]->setText(QString::fromStdString(texts[i]));
    cancel_->setFocus();
}

void TRefPnts::finish(void (*action)(Model&, const RefDialogTexts&)) {
    RefDialogTexts texts;
    for (int i = 0; i < 4; ++i)
        texts[i] = boxes_[i]->text().toStdString();
    action(m_, texts);
    close();
    if (changed_) changed_();
}

} // namespace corvellan
