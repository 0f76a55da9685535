#pragma once
// Tables saved as CSV (RFC 4180): fields separated by commas, a field quoted
// when it holds a comma, a quote or a line break, numbers with a decimal point
// whatever the locale, one line per row ending in "\n". Saving goes through
// the replacing save, so a failed save leaves an existing file as it was.

#include "model/DimensionFile.h"

#include <string>
#include <vector>

namespace corvellan {

using CsvRow = std::vector<std::string>;

// One field as CSV writes it.
std::string csvField(const std::string& text);
// A 4-byte real as a field: its shortest decimal, empty when it is not a
// finite number.
std::string csvNumber(Real value);
// The rows as CSV text.
std::string csvText(const std::vector<CsvRow>& rows);

// Writes `text` (already CSV) or `rows` to `path`. The message of a failure
// names the file and the reason, as the dimension files' do.
FileResult saveCsvText(const std::string& path, const std::string& text);
FileResult saveCsvFile(const std::string& path, const std::vector<CsvRow>& rows);

} // namespace corvellan
