// The widgets of one form: a window holding a real widget for every control, kept in step
// with the model in both directions. Positions and sizes are the model's twips (15 twips are
// one pixel), relative to the control's container, as the windows were designed.
//
// Form kinds: an MDI parent is a main window with a menu bar and a document area; its own
// controls are strips along its top and left edges and the document area takes the largest
// free rectangle towards the bottom right. An MDI child is a sub-window of that area at the
// form's Left/Top. Any other form is a top-level window, placed by the window system (over
// its owner). A form's Width and Height are its outer size, frame and title bar included;
// a window is never made so small that it clips one of its controls.
#pragma once

#include <QMdiArea>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <unordered_map>
#include <vector>

#include "platform/control.h"

class QAction;
class QButtonGroup;
class QMenu;
class QMenuBar;

namespace dunax::gui {

class QtHost;
class Surface;

// The Qt colour of a platform colour (0x00BBGGRR, or a system colour 0x800000NN resolved
// in palette group g). A button face means QPalette::Button on buttons, Window elsewhere.
QColor toQColor(platform::Color c, QPalette::ColorGroup g = QPalette::Active,
                bool onButton = false);

class FormView : public QObject, public platform::FormObserver {
    Q_OBJECT
  public:
    // Builds the window and its widgets. mdiArea: where an MDI child goes (null: the child
    // becomes a top-level window).
    FormView(QtHost& host, platform::Form& form, QMdiArea* mdiArea);
    ~FormView() override;

    void controlChanged(platform::Control& c, platform::Prop p) override;

    platform::Form& form() const { return *form_; }
    // The outermost widget: QMainWindow, QDialog or QMdiSubWindow. Null once Qt destroyed it
    // (an MDI child whose parent window went away).
    QWidget* window() const { return window_; }
    QWidget* widgetOf(const platform::Control& c) const;
    QMdiArea* mdiArea() const { return ownArea_; }
    bool isSubWindow() const { return subWindow_; }

    // The form was unloaded: stop mirroring, take the window off screen. The widgets go
    // with the view.
    void detach();
    bool detached() const { return detached_; }
    // Hands the window over to the caller (to be destroyed later); the view no longer owns it.
    QWidget* releaseWindow();

  private:
    struct Item {
        platform::Control* control = nullptr;
        QWidget* widget = nullptr;
        QAction* action = nullptr;  // menu entries
        QMenu* menu = nullptr;      // menus with entries of their own
        // The labels that name a box without a caption: its row's and its column's.
        const platform::Control* rowLabel = nullptr;
        const platform::Control* columnLabel = nullptr;
    };

    void buildWindow(QMdiArea* mdiArea);
    void buildControls();
    void buildMenus(QMenuBar* bar);
    QWidget* makeWidget(platform::Control& c, QWidget* parent);
    void refresh(platform::Control& c, platform::Prop p);
    void refreshForm(platform::Prop p);
    void refreshMenu(Item& it, platform::Prop p);
    void applyGeometry(platform::Control& c, QWidget* w);
    void applyFormGeometry();
    void applyColors(platform::Control& c, QWidget* w);
    void applyFont(platform::Control& c, QWidget* w);
    void fitLabel(platform::Control& c, QWidget* w);
    void syncValue(platform::Control& c);
    void syncList(platform::Control& c);
    void updateAccessibleName(Item& it);
    void inferNamers();
    void layoutDocumentArea();
    QSize controlsExtent() const;
    void closeBox();
    // Whether a signal of a widget may still reach the control (form on show, control alive).
    bool reachable(const platform::Control* c) const;

    // User input, turned into model changes.
    void userTyped(platform::Control* c, const QString& s);
    void userClicked(platform::Control* c);
    void userToggled(platform::Control* c, bool on);
    void userChose(platform::Control* c, int row);
    // Whether the user may change c now: on show, switched on, not locked.
    bool takesInput(const platform::Control* c) const;
    // The group of the option buttons of one container.
    QButtonGroup* optionGroup(const platform::Control* container, QWidget* parent);

    QtHost& host_;
    platform::Form* form_;
    QPointer<QWidget> window_;
    QPointer<Surface> surface_;
    QPointer<QMdiArea> ownArea_;
    bool subWindow_ = false;
    bool detached_ = false;
    bool typing_ = false;  // the user's typing is being handed to the model
    // The combo box whose row just changed, so that the activation that follows a change
    // raises no second Click.
    QPointer<QWidget> changedCombo_;
    std::unordered_map<const platform::Control*, QButtonGroup*> optionGroups_;
    std::unordered_map<const platform::Control*, Item> items_;
    std::vector<platform::Control*> order_;  // controls with a widget, in model order
};

}  // namespace dunax::gui
