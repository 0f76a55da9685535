#pragma once
// "Save Picture…" and "Print…" for a window that shows a picture: the main
// window's mechanism and each diagram window. Saving asks for a file name;
// its extension chooses PNG, SVG or PDF. Printing goes through the print
// dialog, which offers printing to a PDF file where no printer is installed.
// A picture that cannot be saved or printed is reported in a message box.

#include "platform/PictureFile.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QWidget;

namespace corvellan {

class PictureCommands : public QObject {
    Q_OBJECT
  public:
    // `source` gives the picture as the window shows it at that moment;
    // `caption` the line printed above it.
    PictureCommands(QWidget* window, std::function<Picture()> source,
                    std::function<QString()> caption);
    ~PictureCommands() override;

    void savePicture();
    void print();
    // Saves without asking; the reason when it fails ("" on success).
    QString saveTo(const QString& path);

    // Actions for the window's menu: "Save Picture…" and "Print…".
    QAction* saveAction() const { return save_; }
    QAction* printAction() const { return print_; }
    // The printer that "Print…" uses; it keeps the user's choices between
    // prints.
    QPrinter& printer();

  private:
    void report(const QString& message);

    QWidget* window_;
    std::function<Picture()> source_;
    std::function<QString()> caption_;
    std::unique_ptr<QPrinter> printer_;
    QAction* save_;
    QAction* print_;
};

} // namespace corvellan
