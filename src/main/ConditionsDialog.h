#pragma once
// "Operating Conditions…" (SetUp menu): every condition of the steam model
// in a row with its unit beside it. "OK" checks them all; a value out of
// range or a text that is no number is named in the dialog's message line,
// the dialog stays open and the conditions held stay as they were. "Cancel"
// leaves them too. Changing the unit system converts the figures shown.

#include "model/Model.h"
#include "steam/Conditions.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace corvellan {

class ConditionsStore;

class TConditions : public QDialog {
    Q_OBJECT
  public:
    TConditions(const Model& model, ConditionsStore& store, QWidget* parent);

    // Shows the conditions held.
    void refill();
    // Reads the rows; on success stores them and closes. False, with the
    // reason in the message line, when a row is bad.
    bool apply();

    QLineEdit* field(const char* name) const;
    QComboBox* unitsChoice() const { return units_; }
    QComboBox* fluidChoice() const { return fluid_; }
    QLabel* message() const { return message_; }

  private:
    struct Row {
        const char* name;
        QLineEdit* edit;
        QLabel* unit;
    };
    void showConditions(const steam::Conditions& c, bool converted = false);
    void showUnits(steam::UnitSystem u);
    // The figures as typed (parse), and checked as well (read).
    bool parse(steam::Conditions& c, QString* error) const;
    bool read(steam::Conditions& c, QString* error) const;
    void unitsChanged();

    const Model& m_;
    ConditionsStore& store_;
    QComboBox* units_;
    QComboBox* fluid_;
    std::vector<Row> rows_;
    QLabel* message_;
    steam::UnitSystem shownUnits_ = steam::UnitSystem::Imperial;
};

} // namespace corvellan
