#pragma once
// "About These Programs": the program's name and version, nothing more.

#include <QDialog>

namespace corvellan {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace corvellan
