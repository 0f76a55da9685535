#pragma once
// TDataTable, "Pivot Data Table": the six pivot slots over one turn of the
// driver as text the user can select and copy. The text is built afresh each
// time the window opens, and set in one piece so that even the 36001 rows of
// the smallest step appear at once. The gear's angle and step come back
// afterwards. Closing the window lets the text go: the window lives as long
// as the main one, and the next opening builds it again anyway.

#include "model/Model.h"

#include <QDialog>

#include <functional>
#include <string>

class QAction;
class QMenu;
class QPlainTextEdit;

namespace corvellan {

class TDataTable : public QDialog {
    Q_OBJECT
  public:
    // `clock` gives the date (short format) and time (long format) for the
    // first line.
    using Clock = std::function<void(std::string& date, std::string& time)>;
    TDataTable(Model& model, Clock clock, QWidget* parent);

    QPlainTextEdit* memo() const { return memo_; }
    // The caption, rebuilt by every frame of the main window.
    void showCaption(const std::string& caption);
    // Builds the table into the memo (each activation does).
    void build();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildMenus();
    void editMenuOpening();

    Model& m_;
    Clock clock_;
    QPlainTextEdit* memo_;
    QMenu* edit_ = nullptr;
    QAction* cut_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* selectAll_ = nullptr;
};

} // namespace corvellan
