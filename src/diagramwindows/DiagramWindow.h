#pragma once
// The frame the four diagram windows share: a modal window with a white
// picture, a "Close" button, a menu, four dynamic-variable bars and an
// "UnDo" button, the same activation and closing rules and the same redraw
// triggers. The diagram is drawn into an image that the window paints, so
// covering and uncovering the window shows the last drawing; the drawing
// routines themselves end with the header block of dynamic variables and
// undo line.
//
// The main window stops its animation while a diagram window is shown and
// supplies the dynamic-variable bars (its own kind of bar, sharing its jog
// memory); it hands both over as hooks, so this library does not depend on it.

#include "diagrams/CompareOverlay.h"
#include "model/Model.h"
#include "view/Canvas.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenuBar;
class QPushButton;

namespace corvellan {

class TSetRevArm;
struct Captions;

// What a dynamic-variable bar reports to the window that holds it, after it
// has done its own part (the step, the undo entry) in the model.
struct DynBarHandlers {
    // A change was applied to the bar's dimension and the bar is back at 0.
    std::function<void()> stepped;
    // A scroll action ended and its undo entry is recorded: the window moves
    // the focus away from the bar.
    std::function<void()> scrollEnded;
};

// Makes bar k (1..4) named `name` at `geometry` on `parent`.
using DynBarFactory = std::function<QWidget*(QWidget* parent, int k, const QString& name,
                                             const QRect& geometry, DynBarHandlers handlers)>;

struct DiagramWindowHooks {
    // Stops (false) or restarts (true) the main window's animation timer.
    std::function<void(bool run)> animation;
    // The dynamic-variable display switch changed in a diagram window: the
    // main window's bars and panels follow it.
    std::function<void()> dynVarsSwitched;
    DynBarFactory makeDynBar;
    // The date and time of the caption; unset: the C library's.
    std::function<void(std::string& date, std::string& time)> clock;
    // A second gear to draw over every diagram, or nullptr; unset: none.
    std::function<const Model*()> comparedGear;
};

class DiagramPicture;

class DiagramWindow : public QDialog {
    Q_OBJECT
  public:
    // What tells the four windows apart.
    struct Layout {
        const char* name;      // object name, e.g. "TSineDia"
        int height;            // client area below the menu, 632 wide
        QPoint closeAt;        // top left of "Close"
        const char* barPrefix; // "SBDynVarS" ...
        const char* undoName;  // "UnDoDnS" ...
        UndoButton undoWhich;  // which "UnDo" flag the button follows
        int undoRedraws;       // clear-and-draw runs after "UnDo" (1 or 2)
        // The sine, oval and steam windows plot the diagram positions: they
        // open the positions dialog on activation and redraw on the first
        // mouse movement after it closed. The port window does neither, and
        // updates the main window before redrawing when the dynamic
        // variables are switched.
        bool usesPositions;
        Qt::WindowState initialState;
        QSize maxSize; // the largest window at the small text scale; invalid: no limit
        std::array<const char*, 4> captions; // positions/set-up, redraw, undo, dynamic variables
        // Which diagram this is, for a second gear drawn over it.
        DiagramKind kind;
    };

    ~DiagramWindow() override;

    // The picture as last drawn (the client area below the menu).
    const QImage& picture() const;
    // The widget that shows it, parent of the button and the bars.
    QWidget* pictureArea() const;
    QMenuBar* menu() const { return menu_; }
    QPushButton* closeButton() const { return close_; }
    QPushButton* undoButton() const { return undo_; }
    // Bar k (1..4), or nullptr when no bar factory was given.
    QWidget* dynBar(int k) const { return bars_[static_cast<size_t>(k - 1)]; }

    void done(int result) override;

    // The diagram drawn afresh on another canvas, as "ReDraw" draws it (a
    // picture file, a printed page), with a compared gear over it as on screen.
    void drawDiagramOn(Canvas& c);
    // The window's caption as it would be built now, with the present time:
    // the caption of a printed page.
    QString captionNow() const;

    // The redraw triggers, as the menu, the buttons and the bars run them.
    void reDraw();
    void undoMenu();
    void dynVarsMenu();
    void undoButtonClicked();
    void setRevArmPositions();

  protected:
    DiagramWindow(Model& model, TSetRevArm* positions, DiagramWindowHooks hooks,
                  const Layout& layout, QWidget* parent);

    // The diagram on `c`, erasing first when `erase` is set ("clear; draw").
    virtual void paintDiagram(Canvas& c, bool erase) = 0;
    // This window's caption among those the renderer builds.
    virtual const std::string& captionOf(const Captions& captions) const = 0;

    // Runs `draw` on the picture, then shows the header block's controls.
    void drawOnPicture(const std::function<void(Canvas&)>& draw);
    // "Clear; draw" (erase) or "draw" (no erase) of this window's diagram.
    void redraw(bool erase);
    void clearPicture();
    // The gear being compared, if any, over the finished diagram.
    void drawComparedGear(Canvas& c);

    Model& model() { return m_; }
    QAction* addMenuItem(const char* name, const char* caption, void (DiagramWindow::*run)());

    void showEvent(QShowEvent* event) override;

  private:
    // The picture and the size limit grow with the text scale, as the
    // dimension dialogs do, and "Close" moves with it, so the texts that
    // follow the scale are neither cut off nor covered.
    void layoutForTextScale();
    void activated();
    void pictureMouseMoved();
    void applyHeaderControls();
    void updateCaption();

    Model& m_;
    TSetRevArm* positions_;
    DiagramWindowHooks hooks_;
    Layout layout_;
    QMenuBar* menu_ = nullptr;
    DiagramPicture* picture_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* undo_ = nullptr;
    std::array<QWidget*, 4> bars_{};
    QSize laidOut_; // the picture size of the latest layout
};

} // namespace corvellan
