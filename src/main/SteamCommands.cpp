#include "main/SteamCommands.h"

#include "main/CommandPlacement.h"
#include "main/Commands.h"
#include "main/ConditionsDialog.h"
#include "main/ConditionsStore.h"
#include "main/FileCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>

#include <filesystem>
#include <system_error>

namespace corvellan {

SteamCommands::SteamCommands(Model& model, QMainWindow* window, CommandBar& commands,
                             FileCommands& files, std::function<const Model*()> comparedGear)
    : QObject(window), m_(model), window_(window), store_(new ConditionsStore(this)) {
    dialog_ = new TConditions(m_, *store_, window);
    (void)comparedGear;
    files.setCompanions([this](const std::string& path) { saveBeside(path); },
                        [this](const std::string& path) { readBeside(path); });
    buildCommands(window, commands);
}

void SteamCommands::buildCommands(QMainWindow* window, CommandBar& commands) {
    if (auto* setUp = window->findChild<QMenu*>("SetUp"))
        connect(insertMenuItem(setUp, "OperatingConditions",
                               QString::fromUtf8("Operating &Conditions\u2026"), nullptr),
                &QAction::triggered, this, &SteamCommands::openConditions);
    (void)commands;
}

void SteamCommands::openConditions() {
    dialog_->refill();
    dialog_->exec();
}

void SteamCommands::saveBeside(const std::string& dimensionPath) {
    std::string error;
    if (!steam::writeConditionsFile(steam::conditionsPathFor(dimensionPath), store_->conditions(),
                                    &error))
        report(QString::fromStdString("The dimensions are saved, but the operating conditions "
                                      "are not: " +
                                      error + "."));
}

void SteamCommands::readBeside(const std::string& dimensionPath) {
    const std::string path = steam::conditionsPathFor(dimensionPath);
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return;
    steam::Conditions c;
    std::string error;
    // A named pipe or a folder of that name would only make the read wait or
    // fail: refused without opening it.
    if (!std::filesystem::is_regular_file(status))
        error = path + " is not a regular file";
    else if (steam::readConditionsFile(path, c, &error))
        error = steam::validateConditions(c, m_.cyl.CylBoreDia);
    if (!error.empty()) {
        report(QString::fromStdString("The operating conditions beside the dimension file were "
                                      "not read: " +
                                      error + ". The conditions in use are kept."));
        return;
    }
    store_->set(c);
}

void SteamCommands::report(const QString& message) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("CORVELLAN Outside Admission"), message,
                    QMessageBox::Ok, window_);
    box.setObjectName("ConditionsFileError");
    box.exec();
}

} // namespace corvellan
