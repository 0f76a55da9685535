#pragma once
// An edit box filtered key by key by a rule of its window, which also hears
// when the user leaves the box. Keys that type nothing (arrows, Home, End)
// and the dialog keys (Enter, Escape, Tab) always pass; Backspace and Delete
// are put to the rule as the backspace character.

#include <QLineEdit>

#include <functional>
#include <string>

namespace corvellan {

class KeyFilterEdit : public QLineEdit {
    Q_OBJECT
  public:
    // `accepts(key, text)`: whether the typed character may enter the box
    // that holds `text`.
    using Rule = std::function<bool(char key, const std::string& text)>;
    KeyFilterEdit(Rule accepts, QWidget* parent);

  Q_SIGNALS:
    // The focus went to another control of the same window.
    void left();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    Rule accepts_;
};

} // namespace corvellan
