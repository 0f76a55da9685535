#include "main/ReportTable.h"

#include "model/SaveFile.h"

#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QStringList>
#include <QTableWidget>

#include <cctype>
#include <map>

namespace corvellan {

QTableWidget* makeReportTable(const char* name, const std::vector<std::string>& header,
                              QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setColumnCount(static_cast<int>(header.size()));
    QStringList labels;
    for (const std::string& h : header)
        labels << QString::fromStdString(h);
    table->setHorizontalHeaderLabels(labels);
    return table;
}

void fillReportRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows) {
    table->clearContents();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto& cells = rows[static_cast<size_t>(r)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(cells.size()); ++c) {
            const std::string& text = cells[static_cast<size_t>(c)];
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            const bool word = !text.empty() && std::isalpha(static_cast<unsigned char>(text[0]));
            item->setTextAlignment((word ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
}

QString selectedReportText(const QTableWidget* table) {
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& index : table->selectionModel()->selectedIndexes())
        cells[index.row()][index.column()] = index.data().toString();
    QString text;
    for (const auto& [row, columns] : cells) {
        QStringList line;
        for (const auto& [column, value] : columns)
            line << value;
        text += line.join('\t') + '\n';
    }
    return text;
}

void saveReportCsvAs(QWidget* parent, const QString& title, const char* dialogName,
                     const std::string& text) {
    QFileDialog dialog(parent, title);
    dialog.setObjectName(dialogName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters({QStringLiteral("CSV File (*.csv)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString error;
    if (!saveReportText(dialog.selectedFiles().first(), text, &error)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CORVELLAN Outside Admission"), error,
                        QMessageBox::Ok, parent);
        box.setObjectName("SaveError");
        box.exec();
    }
}

bool saveReportText(const QString& path, const std::string& text, QString* error) {
    const std::string why = writeFileReplacing(QFile::encodeName(path).toStdString(), text);
    if (why.empty()) return true;
    if (error)
        *error = QStringLiteral("Cannot write \"%1\": %2.").arg(path, QString::fromStdString(why));
    return false;
}

} // namespace corvellan
