#pragma once
// The steam in the cylinder, in the main window: "Operating Conditions…" in
// the "&SetUp" menu; "Indicator Diagram" and "Performance" in the
// "Draw&Graphs" menu with their tool buttons. The conditions are held here
// for the whole run; they are saved beside the dimension file whenever it is
// saved (gear.dco -> gear.conditions.json) and read with it when it is opened
// and such a file exists. A conditions file that cannot be written or read is
// reported in a message box; a bad one leaves the conditions as they were.

#include "model/Model.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QMainWindow;

namespace corvellan {

class CommandBar;
class ConditionsStore;
class FileCommands;
class TConditions;
class TIndicator;
class TPerformance;

class SteamCommands : public QObject {
    Q_OBJECT
  public:
    SteamCommands(Model& model, QMainWindow* window, CommandBar& commands, FileCommands& files,
                  std::function<const Model*()> comparedGear);

    ConditionsStore& conditions() const { return *store_; }
    TConditions* conditionsDialog() const { return dialog_; }
    TIndicator* indicator() const { return indicator_; }
    TPerformance* performance() const { return performance_; }

    void openConditions();
    void openIndicator();
    void openPerformance();

    // The conditions beside a dimension file just saved or opened.
    void saveBeside(const std::string& dimensionPath);
    void readBeside(const std::string& dimensionPath);

  private:
    void buildCommands(QMainWindow* window, CommandBar& commands);
    void report(const QString& message);

    Model& m_;
    QMainWindow* window_;
    ConditionsStore* store_;
    TConditions* dialog_;
    TIndicator* indicator_;
    TPerformance* performance_ = nullptr;
};

} // namespace corvellan
