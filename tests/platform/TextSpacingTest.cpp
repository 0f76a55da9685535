// The aliased texts the program draws itself must be spaced by the advances
// their glyphs are drawn with: a word space wider than the gaps inside the
// words, and no two letters run together that the face keeps apart.
#include "CanvasTestSupport.h"

#include "platform/QPainterCanvas.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include <string>
#include <utility>
#include <vector>

using namespace corvellan;
using namespace corvellan::testing;

namespace {

// Runs of columns with ink, left to right, as [first, last] column pairs.
std::vector<std::pair<int, int>> inkRuns(const QImage& img) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < img.width(); ++x) {
        if (inkIn(img, x, 0, x + 1, img.height()) == 0) continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.emplace_back(x, x);
    }
    return runs;
}

// Columns of ink of `text` drawn alone at x 0, as first and one past last.
std::pair<int, int> inkColumns(const TextStyle& style, const QString& text) {
    QPainterCanvas c(60, 20);
    c.erase(colours::White);
    c.text(20, 2, text.toStdString(), style);
    const auto runs = inkRuns(c.image());
    if (runs.empty()) return {0, 0};
    return {runs.front().first - 20, runs.back().second + 1 - 20};
}

// Whether the face's own metrics leave a blank column between letters a and
// b written one after the other: each glyph's pixels drawn alone, and its
// advance at this pixel size, rounded to whole pixels as the glyph is.
bool faceSeparates(const TextStyle& style, QChar a, QChar b) {
    QFont hinted = PainterCanvas::fontFor(style);
    hinted.setHintingPreference(QFont::PreferFullHinting);
    const int advance = QFontMetrics(hinted).horizontalAdvance(a);
    return advance + inkColumns(style, b).first > inkColumns(style, a).second;
}

} // namespace

TEST(TextSpacing, WordSpacesAreWiderThanGapsInsideWordsAndLettersStayApart) {
    ensureGuiApplication();
    // The 11-pixel face of the panels, frames and dialogs.
    const TextStyle style;
    for (const std::string text : {"Rev Arm", "Valve Chamber", "Valve ExhCavity", "Cent 0.000"}) {
        SCOPED_TRACE(text);
        QPainterCanvas c(200, 20);
        c.erase(colours::White);
        c.text(4, 2, text, style);
        const auto runs = inkRuns(c.image());

        // The gaps the face puts between the letters, in order: true for a
        // word space.
        std::vector<bool> expectedGaps;
        const QString q = QString::fromStdString(text);
        for (int i = 0; i + 1 < q.size(); ++i) {
            if (q[i] == ' ') continue;
            if (q[i + 1] == ' ')
                expectedGaps.push_back(true);
            else if (faceSeparates(style, q[i], q[i + 1]))
                expectedGaps.push_back(false);
        }
        // As many pieces of ink as the face keeps apart: no letters run
        // together.
        EXPECT_EQ(runs.size(), expectedGaps.size() + 1);
        if (runs.size() != expectedGaps.size() + 1) continue;
        int widestInWord = 0, narrowestSpace = 1 << 20;
        for (size_t k = 0; k < expectedGaps.size(); ++k) {
            const int gap = runs[k + 1].first - runs[k].second - 1;
            if (expectedGaps[k])
                narrowestSpace = std::min(narrowestSpace, gap);
            else
                widestInWord = std::max(widestInWord, gap);
        }
        EXPECT_GT(narrowestSpace, widestInWord);
    }
}
