#include "main/CompareCommands.h"

#include "main/CommandPlacement.h"
#include "main/CompareWindow.h"
#include "main/DiagramCommands.h"
#include "main/FileCommands.h"
#include "model/DimensionFile.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>

namespace corvellan {

CompareCommands::CompareCommands(Model& model, QMainWindow* window, DiagramCommands& diagrams)
    : QObject(window), mainWindow_(window), window_(new TCompare(model, window)) {
    diagrams.setComparedGear([this] { return gearB(); });
    buildCommands(window);
}

CompareCommands::~CompareCommands() = default;

void CompareCommands::buildCommands(QMainWindow* window) {
    // In the file menu between the dimension-file commands and "E&xit", a
    // group of their own.
    if (auto* file = window->findChild<QMenu*>("File1")) {
        const QList<QAction*> items = file->actions();
        QAction* before = findNamedAction(items, "Exit1");
        const int at = static_cast<int>(items.indexOf(before));
        if (at > 0 && items[at - 1]->isSeparator()) before = items[at - 1];
        insertMenuSeparator(file, before);
        connect(insertMenuItem(file, "CompareWith", QStringLiteral("Compare With…"), before),
                &QAction::triggered, this, &CompareCommands::compareWith);
        stop_ = insertMenuItem(file, "StopComparing", QStringLiteral("Stop Comparing"), before);
        connect(stop_, &QAction::triggered, this, &CompareCommands::stopComparing);
    }
    if (auto* graphs = window->findChild<QMenu*>("View1")) {
        show_ = insertMenuItem(graphs, "CompareWindow", QStringLiteral("Compare"), nullptr);
        connect(show_, &QAction::triggered, this, &CompareCommands::openWindow);
    }
    setGearB(nullptr);
}

void CompareCommands::compareWith() {
    QFileDialog dialog(mainWindow_, QStringLiteral("Compare With"));
    dialog.setObjectName("CompareDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("Data File (*.dco)"),
                           QStringLiteral("DOS Data File (*.oca)"),
                           QStringLiteral("All Files (*)")});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    compareWithPath(dialog.selectedFiles().first());
}

bool CompareCommands::compareWithPath(const QString& path) {
    auto gear = std::make_unique<Model>();
    initialiseModel(*gear);
    const std::string file = QFile::encodeName(path).toStdString();
    const FileResult result = isDosDimensionPath(path) ? openDosDimensionFile(*gear, file)
                                                       : openDimensionFile(*gear, file);
    if (!result.ok) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"),
                        QString::fromStdString(result.message), QMessageBox::Ok, mainWindow_);
        box.setObjectName("FileError");
        box.exec();
        return false;
    }
    setGearB(std::move(gear));
    openWindow();
    return true;
}

void CompareCommands::stopComparing() {
    setGearB(nullptr);
}

void CompareCommands::setGearB(std::unique_ptr<Model> gear) {
    // The window lets go of the old gear before it goes.
    window_->setGearB(gear.get());
    gearB_ = std::move(gear);
    if (stop_) stop_->setEnabled(gearB_ != nullptr);
    if (show_) show_->setEnabled(gearB_ != nullptr);
}

void CompareCommands::openWindow() {
    if (!gearB_) return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace corvellan
