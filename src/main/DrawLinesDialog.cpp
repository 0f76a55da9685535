#include "main/DrawLinesDialog.h"

#include "main/Controls.h"
#include "main/OverlayRow.h"
#include "main/PanelTexts.h"
#include "model/OverlayDialog.h"
#include "view/MechanismView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace corvellan {

namespace {

const QColor kSilver(0xC0, 0xC0, 0xC0);
constexpr int kFirstRowTop = 106;

// Checks the button of `choice`, or none for -1.
void showChoice(QButtonGroup* group, int choice) {
    QAbstractButton* wanted = group->button(choice);
    if (group->checkedButton() == wanted) return;
    if (wanted) {
        wanted->setChecked(true);
        return;
    }
    QAbstractButton* checked = group->checkedButton();
    if (!checked) return;
    group->setExclusive(false);
    checked->setChecked(false);
    group->setExclusive(true);
}

int choiceOf(const OverlayDialogState& d, int group) {
    return group == 0 ? d.typeChoice : group == 1 ? d.colourChoice : d.refChoice;
}

} // namespace

void drawOverlayPickPrompt(Model& m, Canvas& c) {
    drawScaledTexts(m, c, overlayPickPrompt(m), true);
}

TDrawLines::TDrawLines(Model& model, SoundSink& sound, FrameState& frame, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_(model), sound_(sound) {
    setObjectName("TDrawLines");
    setWindowTitle("Draw Lines");
    setFixedSize(592, 501);
    setModal(true);
    setFont(sansFont(14));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    makeGroup(0, "RadioGroup1", "  Type    ", {4, 2, 86, 66}, {"Line", "Circle"}, 1);
    makeGroup(1, "RadioGroup2", "  Color  ", {94, 2, 228, 66},
              {"Black", "Red", "Green", "Yellow", "Blue", "Gray"}, 3);
    makeGroup(2, "RadioGroup3", "  Referenced to  ", {326, 2, 176, 66},
              {"0,0", "Pivot1", "Piv1/0,0", "Piv1/Piv2"}, 2);

    auto button = [this](const char* name, const char* caption, int top) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setGeometry(508, top, 80, 21);
        b->setAutoDefault(false);
        return b;
    };
    drawClose_ = button("DrawBut", "Draw Close", 3);
    QPushButton* clear = button("ClearLine", "Clear Line", 25);
    QPushButton* closeBut = button("CloseBut", "Close", 47);
    auto* linesData = new QPushButton("LinesData", this);
    linesData->setObjectName("LinesData");
    linesData->hide();

    connect(drawClose_, &QPushButton::clicked, this, [this] {
        const DialogOutcome o = overlayDrawClose(m_);
        outcome(o.beep, o.close);
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        overlayClearLine(m_);
        showState(true);
    });
    connect(closeBut, &QPushButton::clicked, this, [this] {
        overlayCloseButton(m_);
        outcome(false, true);
    });
    connect(linesData, &QPushButton::clicked, this, &TDrawLines::linesDataClick);

    using namespace overlayrow;
    auto title = [this](const char* text, int left, int top) {
        auto* label = new QLabel(text, this);
        label->move(left, top);
        label->adjustSize();
    };
    title("Item", kNumberLeft, 70);
    title("No.", kNumberLeft, 87);
    title("Type     Color     Ref to", kTypeLeft, 87);
    title("Line1Vert   Line1Horz     Line2Vert   Line2Horz", kBoxLeft[0], 70);
    title("CirCentV    CirCentH                        CirRadius", kBoxLeft[0], 87);

    auto accepts = [this](int k) {
        return [this, k](int column, char key, const std::string& text) {
            return overlayBoxKeyAccepted(m_, k, column, key, text);
        };
    };
    for (int k = 1; k <= kOverlayItems; ++k) {
        auto* r = new OverlayRow(k, accepts(k), this);
        r->setGeometry(0, kFirstRowTop + (k - 1) * kHeight, width(), kHeight);
        connect(r, &OverlayRow::numberClicked, this, [this](int item) {
            overlaySelectRow(m_, item);
            showState();
        });
        connect(r, &OverlayRow::boxLeft, this, [this](int item, int column, const std::string& t) {
            overlayBoxLeft(m_, item, column, t);
        });
        rows_[k] = r;
    }

    frame.panels.overlayPickPrompt = drawOverlayPickPrompt;
    showState();
}

QGroupBox* TDrawLines::makeGroup(int index, const char* name, const char* title, const QRect& where,
                                 const std::vector<const char*>& items, int columns) {
    auto* box = new QGroupBox(title, this);
    box->setObjectName(name);
    box->setGeometry(where);
    QPalette silver = box->palette();
    silver.setColor(QPalette::Window, kSilver);
    box->setPalette(silver);
    box->setAutoFillBackground(true);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 4, 2);
    grid->setSpacing(0);
    auto* group = new QButtonGroup(this);
    group->setObjectName(name);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(items[i]);
        // Items run down each column, then on to the next.
        grid->addWidget(radio, i % rows, i / rows);
        group->addButton(radio, i);
    }
    connect(group, &QButtonGroup::idClicked, this, [this, index](int id) { chosen(index, id); });
    groups_[index] = group;
    return box;
}

void TDrawLines::chosen(int group, int id) {
    // A click on the choice already made changes nothing.
    if (id == choiceOf(m_.overlayDialog, group)) return;
    DialogOutcome o;
    if (group == 0) o = overlayChooseType(m_, id);
    if (group == 1) o = overlayChooseColour(m_, id);
    if (group == 2) o = overlayChooseReference(m_, id);
    outcome(o.beep, o.close);
}

void TDrawLines::outcome(bool beep, bool close) {
    showState();
    if (beep) sound_.beep();
    if (close) this->close();
}

void TDrawLines::openFromMenu() {
    if (overlayOpenBeeps(m_)) sound_.beep();
    exec();
}

void TDrawLines::linesDataClick() {
    refillOverlayRows(m_);
    showState(true);
}

void TDrawLines::markCurrentOverlayItem() {
    corvellan::markCurrentOverlayItem(m_);
    showState();
}

void TDrawLines::clearRowLabels() {
    for (int k = 1; k <= kOverlayItems; ++k) {
        OverlayRowTexts& row = m_.overlayDialog.rows[k];
        row.type.clear();
        row.colour.clear();
        row.ref.clear();
    }
    showState();
}

void TDrawLines::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    overlayDialogActivated(m_);
    showState();
}

void TDrawLines::showState(bool forceBoxes) {
    const OverlayDialogState& d = m_.overlayDialog;
    for (int g = 0; g < 3; ++g)
        showChoice(groups_[g], choiceOf(d, g));
    drawClose_->setEnabled(d.drawCloseEnabled);
    for (int k = 1; k <= kOverlayItems; ++k)
        rows_[k]->showTexts(d.rows[k], k == d.markedItem, forceBoxes);
}

} // namespace corvellan
