#include "main/StudyWidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <cmath>

namespace corvellan {

namespace {

QString settingText(const Model& m, Real setting) {
    return QString::fromStdString(formatFixed(setting, 0, 5)) + " " +
           (runsForward(m, setting) ? "Fwd" : "Rev");
}

} // namespace

void fillSettingChoice(QComboBox* box, const Model& m) {
    const Real previous = box->count() ? chosenSetting(box) : 0;
    const bool hadOne = box->count() > 0;
    box->clear();
    const Real normalForward =
        clampToReal(static_cast<Ext>(m.gear.RevArmCen()) - m.frame.RevArmToCentNorm);
    int chosen = -1;
    auto add = [&](Real setting, const QString& note) {
        box->addItem(settingText(m, setting) + "  (" + note + ")", static_cast<double>(setting));
        if (hadOne ? setting == previous && chosen < 0 : setting == normalForward && chosen < 0)
            chosen = box->count() - 1;
    };
    const std::vector<Real> positions = diagramPositionSettings(m);
    for (size_t i = 0; i < positions.size(); ++i)
        add(positions[i], "diagram position " + QString::number(i + 1));
    const std::vector<Real> sweep = sweepSettings(m);
    for (size_t i = 0; i < sweep.size(); ++i)
        add(sweep[i], i == 0 ? QString("mid gear")
                             : QString("%1 % of full travel").arg(10 * (1 + (i - 1) % 10)));
    box->setCurrentIndex(chosen >= 0 ? chosen : 0);
}

Real chosenSetting(const QComboBox* box) {
    return static_cast<Real>(box->currentData().toDouble());
}

QComboBox* makeFigureChoice(const char* name, QWidget* parent, int chosen) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int f = 0; f < kDesignFigures; ++f) {
        box->addItem(designFigureCaption(f), f);
        box->setItemData(f, designFigureKey(f), Qt::ToolTipRole);
    }
    box->setCurrentIndex(chosen);
    return box;
}

int chosenFigure(const QComboBox* box) {
    return box->currentData().toInt();
}

NumberItem::NumberItem(const Figure& value, int decimals)
    : QTableWidgetItem(value && std::isfinite(*value)
                           ? QString::fromStdString(formatFixed(*value, 0, decimals))
                           : QString()),
      key_(value && std::isfinite(*value) ? *value : HUGE_VAL) {
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool NumberItem::operator<(const QTableWidgetItem& other) const {
    if (const auto* n = dynamic_cast<const NumberItem*>(&other)) return key_ < n->key_;
    return QTableWidgetItem::operator<(other);
}

QTableWidgetItem* textItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* dimensionItem(int code) {
    auto* item = textItem(QString::fromLatin1(dimensionCaption(code)));
    if (const DimensionInfo* d = dimensionInfo(code))
        item->setToolTip(QString::fromLatin1(d->name));
    item->setData(Qt::UserRole, code);
    return item;
}

QTableWidget* makeStudyTable(const char* name, const QStringList& header, QWidget* parent) {
    auto* t = new QTableWidget(0, static_cast<int>(header.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(header);
    t->verticalHeader()->hide();
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    return t;
}

StudyControls makeStudyControls(QWidget* parent) {
    StudyControls c;
    c.compute = new QPushButton("Compute", parent);
    c.compute->setObjectName("StudyCompute");
    c.compute->setAutoDefault(false);
    c.cancel = new QPushButton("Cancel", parent);
    c.cancel->setObjectName("StudyCancel");
    c.cancel->setAutoDefault(false);
    c.cancel->setEnabled(false);
    c.progress = new QProgressBar(parent);
    c.progress->setObjectName("StudyProgress");
    c.status = new QLabel(parent);
    c.status->setObjectName("StudyStatus");
    c.status->setWordWrap(true);
    c.row = new QHBoxLayout;
    c.row->addWidget(c.compute);
    c.row->addWidget(c.cancel);
    c.row->addWidget(c.progress, 1);
    return c;
}

} // namespace corvellan
