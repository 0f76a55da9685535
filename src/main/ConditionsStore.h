#pragma once
// The operating conditions the running program holds: one set for the whole
// run, edited by the "Operating Conditions…" dialog, saved beside the
// dimension file and read with it. The steam windows listen for changes.

#include "steam/Conditions.h"

#include <QObject>

namespace corvellan {

class ConditionsStore : public QObject {
    Q_OBJECT
  public:
    explicit ConditionsStore(QObject* parent) : QObject(parent) {}

    const steam::Conditions& conditions() const { return conditions_; }
    // Replaces the conditions (already checked by the caller); changed()
    // follows when they differ from the ones held.
    void set(const steam::Conditions& c);

  Q_SIGNALS:
    void changed();

  private:
    steam::Conditions conditions_ = steam::defaultConditions();
};

// Whether two sets of conditions are the same figure for figure.
bool sameConditions(const steam::Conditions& a, const steam::Conditions& b);

} // namespace corvellan
