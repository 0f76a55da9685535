#pragma once
// One row of the draw-lines dialog (Panel1 .. Panel20): the item number,
// which selects the item when clicked, the type, colour and reference labels,
// and the four edit boxes Y1, X1, Y2, X2. The row shows the texts the model
// keeps for it and forwards clicks and edits to its dialog.

#include "model/Model.h"

#include <QFrame>

#include <array>
#include <functional>
#include <string>

class QLabel;

namespace corvellan {

class KeyFilterEdit;

class OverlayRow : public QFrame {
    Q_OBJECT
  public:
    // Item k (1..20); `accepts(column, key, text)` is the boxes' key rule.
    using Rule = std::function<bool(int column, char key, const std::string& text)>;
    OverlayRow(int k, Rule accepts, QWidget* parent);

    int item() const { return k_; }
    QLabel* number() const { return number_; }
    QLabel* typeLabel() const { return labels_[0]; }
    QLabel* colourLabel() const { return labels_[1]; }
    QLabel* refLabel() const { return labels_[2]; }
    KeyFilterEdit* box(int column) const { return boxes_[column]; }

    // The row's texts and whether it is the current row (aqua). Unless
    // `force`d, a box shows a new text only where the model's text changed,
    // so typing not yet left is not lost.
    void showTexts(const OverlayRowTexts& texts, bool current, bool force = false);

  Q_SIGNALS:
    void numberClicked(int k);
    void boxLeft(int k, int column, const std::string& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int k_;
    QLabel* number_;
    std::array<QLabel*, 3> labels_{};
    std::array<KeyFilterEdit*, 4> boxes_{};
    std::array<std::string, 4> shown_{}; // the model texts last put in the boxes
};

// Horizontal layout of a row, shared with the column titles.
namespace overlayrow {
constexpr int kHeight = 19;
constexpr int kNumberLeft = 4;
constexpr int kTypeLeft = 34;
constexpr int kColourLeft = 86;
constexpr int kRefLeft = 142;
constexpr int kBoxLeft[4] = {206, 298, 396, 488};
constexpr int kBoxWidth = 86;
} // namespace overlayrow

} // namespace corvellan
