#pragma once
// The main window's client area: the off-screen picture copied at (0, 0) in
// one piece, silver where the window is larger than the picture, with the
// control strip and the tool bar lying on top.

#include <QImage>
#include <QWidget>

#include <functional>

namespace corvellan {

class ClientArea : public QWidget {
    Q_OBJECT
  public:
    // `picture` gives the latest frame.
    ClientArea(std::function<const QImage&()> picture, QWidget* parent);

  Q_SIGNALS:
    void mousePressed();
    void resized(QSize size);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::function<const QImage&()> picture_;
};

} // namespace corvellan
