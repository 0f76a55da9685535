#pragma once
// A widget that shows a picture drawn on the Canvas: the design-space
// windows' colour map, histogram and chart, drawn by the same code as their
// picture files. "Save Picture…" saves what it shows.

#include "platform/PictureFile.h"

#include <QWidget>

#include <functional>

namespace corvellan {

class CanvasView : public QWidget {
    Q_OBJECT
  public:
    explicit CanvasView(QWidget* parent);

    // The picture to show (nothing while `draw` is empty) and its size.
    void setPicture(QSize size, std::function<void(Canvas&)> draw);
    bool hasPicture() const { return static_cast<bool>(draw_); }
    // The picture as shown, for saving.
    Picture picture(const QString& title) const;

    QSize sizeHint() const override { return size_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize size_{320, 200};
    std::function<void(Canvas&)> draw_;
};

} // namespace corvellan
