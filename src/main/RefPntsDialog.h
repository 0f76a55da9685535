#pragma once
// "Reference Points": the two points typed as numbers. OK stores them and
// leaves the mode on; Zero clears both and Cancel keeps them, and both leave
// the mode off. Each activation shows the current values and puts the focus
// on Cancel.

#include "model/RefPoints.h"

#include <QDialog>

#include <array>
#include <functional>

class QPushButton;

namespace corvellan {

class KeyFilterEdit;

class TRefPnts : public QDialog {
    Q_OBJECT
  public:
    // `changed` runs after every button, for the main window to show the
    // new mode.
    TRefPnts(Model& model, std::function<void()> changed, QWidget* parent);

    KeyFilterEdit* box(int i) const { return boxes_[i]; } // V1, H1, V2, H2

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void finish(void (*action)(Model&, const RefDialogTexts&));

    Model& m_;
    std::function<void()> changed_;
    std::array<KeyFilterEdit*, 4> boxes_{};
    QPushButton* cancel_ = nullptr;
};

} // namespace corvellan
