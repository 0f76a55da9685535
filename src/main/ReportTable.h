#pragma once
// What the report windows ("Valve Events", "Compare") share: read-only
// tables of text cells, copying a selection as tab-separated rows, and
// saving CSV safely.

#include <QString>

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace corvellan {

// A read-only table with these column headers, rows picked freely.
QTableWidget* makeReportTable(const char* name, const std::vector<std::string>& header,
                              QWidget* parent);
// Replaces the rows; figures right-aligned, words left-aligned.
void fillReportRows(QTableWidget* table, const std::vector<std::vector<std::string>>& rows);
// The selected cells row by row, tab-separated, whatever order they were
// picked in.
QString selectedReportText(const QTableWidget* table);

// Asks for a CSV file name, then writes `text` there; a failure is
// reported in a message box.
void saveReportCsvAs(QWidget* parent, const QString& title, const char* dialogName,
                     const std::string& text);
// Writes `text` beside `path` and renames it over it, so a failed save
// leaves an existing file as it was. On failure returns false with the
// reason.
bool saveReportText(const QString& path, const std::string& text, QString* error);

} // namespace corvellan
