#pragma once
// Pieces the design-space windows share: the choice of a setting and of an
// event figure, table cells that sort by their numbers, dimensions named as
// the dimension dialogs name them (the code name in the tool tip), and the
// row of Compute, Cancel, progress and status.

#include "analysis/DesignFigures.h"
#include "model/Model.h"

#include <QTableWidgetItem>

#include <vector>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QWidget;

namespace corvellan {

// The diagram positions, then the 21 settings of the sweep, each as
// "x.xxxxx Fwd"; the normal forward setting chosen where it is listed.
void fillSettingChoice(QComboBox* box, const Model& m);
Real chosenSetting(const QComboBox* box);

// The event figures by caption (their keys as tool tips and data).
QComboBox* makeFigureChoice(const char* name, QWidget* parent, int chosen);
int chosenFigure(const QComboBox* box);

// A cell that sorts by its number, absent figures last.
class NumberItem : public QTableWidgetItem {
  public:
    NumberItem(const Figure& value, int decimals);
    bool operator<(const QTableWidgetItem& other) const override;

  private:
    double key_;
};

// A read-only cell naming a dimension.
QTableWidgetItem* dimensionItem(int code);
QTableWidgetItem* textItem(const QString& text);

// A table for the windows: read-only, rows selected whole.
QTableWidget* makeStudyTable(const char* name, const QStringList& header, QWidget* parent);

struct StudyControls {
    QPushButton* compute;
    QPushButton* cancel;
    QProgressBar* progress;
    QLabel* status;
    QHBoxLayout* row; // Compute, Cancel and the progress bar
};
StudyControls makeStudyControls(QWidget* parent);

} // namespace corvellan
