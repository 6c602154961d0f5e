#include "gui/form_view.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "gui/qt_host.h"
#include "platform/host.h"

namespace dunax::gui {

using platform::Color;
using platform::Control;
using platform::Kind;
using platform::Prop;
using platform::WindowKind;

// The client area of a form on show: a plain widget that holds the controls at their
// positions. Its size hint is the extent of the controls, so that no window clips them.
class Surface : public QWidget {
  public:
    explicit Surface(QWidget* parent = nullptr) : QWidget(parent) { setAutoFillBackground(true); }
    QSize sizeHint() const override { return hint_; }
    QSize minimumSizeHint() const override { return {0, 0}; }
    void setHint(QSize s) {
        hint_ = s;
        updateGeometry();
    }
    std::function<void()> onResize;

  protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (onResize) onResize();
    }

  private:
    QSize hint_{0, 0};
};

namespace {

// Outer size of a top-level window beyond its client area, in pixels: the model's Width and
// Height include the frame and the title bar.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 30;

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Captions and message texts break lines with CR LF.
QString displayText(const std::string& s) {
    QString t = qs(s);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// "&Upload" names the button "Upload"; "&&" stands for one "&".
QString withoutMnemonic(const QString& s) {
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size()) ++i;
        out += s[i];
    }
    return out;
}

bool isSeparator(const std::string& caption) {
    return caption.empty() || caption == "-";
}

class ShapeWidget : public QWidget {
  public:
    explicit ShapeWidget(QWidget* parent) : QWidget(parent) {}
    void setFill(QColor c) {
        fill_ = c;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Shadow), 1));
        p.setBrush(fill_);
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }

  private:
    QColor fill_ = Qt::black;
};

// Option buttons and check boxes leave their state to the model: a click (mouse, keys, an
// accessibility press) raises the control's Click, and the model's value comes back through
// the binding. Their own state changes only when something else sets it (the program through
// the binding, an accessibility tool's toggle action).
template <class Button>
class ModelStateButton : public Button {
  public:
    using Button::Button;

  protected:
    void nextCheckState() override {}
    // Every option stays in the tab chain, in reading order: Qt would take the options of a
    // group but the focused one out of it.
    void focusInEvent(QFocusEvent* e) override { QWidget::focusInEvent(e); }
};

// A combo box whose Locked property holds off the user's changes: no list, no keys, no wheel.
class ComboWidget : public QComboBox {
  public:
    using QComboBox::QComboBox;
    bool locked = false;
    void showPopup() override {
        if (!locked) QComboBox::showPopup();
    }

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (locked) {
            e->ignore();
        } else {
            QComboBox::keyPressEvent(e);
        }
    }
    void wheelEvent(QWheelEvent* e) override {
        if (locked) {
            e->ignore();
        } else {
            QComboBox::wheelEvent(e);
        }
    }
};

class LineWidget : public QWidget {
  public:
    explicit LineWidget(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void setLine(QColor c, bool rising) {
        color_ = c;
        rising_ = rising;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(color_, 1));
        const QRect r = rect();
        if (r.height() <= 1) {
            p.drawLine(r.left(), r.top(), r.right(), r.top());
        } else if (r.width() <= 1) {
            p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        } else if (rising_) {
            p.drawLine(r.bottomLeft(), r.topRight());
        } else {
            p.drawLine(r.topLeft(), r.bottomRight());
        }
    }

  private:
    QColor color_ = Qt::black;
    bool rising_ = false;
};

// The three window kinds hand their close box to the model instead of closing.
class MainFormWindow : public QMainWindow {
  public:
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (onClose) onClose();
    }
};

class DialogFormWindow : public QDialog {
  public:
    std::function<void()> onClose;
    // Escape does not close a window of the program: only its own buttons and close box do.
    void reject() override {}

  protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (onClose) onClose();
    }
};

class SubFormWindow : public QMdiSubWindow {
  public:
    std::function<void()> onClose;

  protected:
    void closeEvent(QCloseEvent* e) override {
        e->ignore();
        if (onClose) onClose();
    }
};

void setRole(QPalette& pal, QPalette::ColorRole role, Color c, bool foreground, bool onButton) {
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        // A disabled control keeps the desktop's grey text, whatever colour its text has.
        if (foreground && g == QPalette::Disabled && !platform::color::isSystem(c)) {
            pal.setColor(g, role, QApplication::palette().color(g, role));
            continue;
        }
        pal.setColor(g, role, toQColor(c, g, onButton));
    }
}

bool hasWidget(Kind k) {
    return k != Kind::Form && k != Kind::Timer && k != Kind::Menu;
}

bool captionless(Kind k) {
    return k == Kind::TextBox || k == Kind::ComboBox || k == Kind::ProgressBar || k == Kind::Shape;
}

QRect modelRect(const Control& c) {
    return QRect(px(c.left()), px(c.top()), px(c.width()), px(c.height()));
}

}  // namespace

QColor toQColor(Color c, QPalette::ColorGroup g, bool onButton) {
    if (!platform::color::isSystem(c)) {
        return QColor(platform::color::red(c), platform::color::green(c), platform::color::blue(c));
    }
    const QPalette pal = QApplication::palette();
    switch (c & 0xFF) {
        case 0x00:
            return pal.color(g, QPalette::Button);  // scroll bar
        case 0x01:
            return pal.color(g, QPalette::Dark);  // desktop
        case 0x02:
            return pal.color(g, QPalette::Highlight);  // active title
        case 0x03:
            return pal.color(g, QPalette::Mid);  // inactive title
        case 0x04:
            return pal.color(g, QPalette::Window);  // menu
        case 0x05:
            return pal.color(g, QPalette::Base);  // window background
        case 0x06:
            return pal.color(g, QPalette::Shadow);  // window frame
        case 0x07:
            return pal.color(g, QPalette::WindowText);  // menu text
        case 0x08:
            return pal.color(g, QPalette::Text);  // window text
        case 0x09:
            return pal.color(g, QPalette::HighlightedText);  // title text
        case 0x0C:
            return pal.color(g, QPalette::Dark);  // document area
        case 0x0D:
            return pal.color(g, QPalette::Highlight);
        case 0x0E:
            return pal.color(g, QPalette::HighlightedText);
        case 0x0F:
            return pal.color(g, onButton ? QPalette::Button : QPalette::Window);
        case 0x10:
            return pal.color(g, QPalette::Dark);  // button shadow
        case 0x11:
            return pal.color(QPalette::Disabled, QPalette::Text);  // grey text
        case 0x12:
            return pal.color(g, QPalette::ButtonText);
        case 0x13:
            return pal.color(QPalette::Disabled, QPalette::WindowText);
        case 0x14:
            return pal.color(g, QPalette::Light);
        case 0x15:
            return pal.color(g, QPalette::Shadow);
        case 0x16:
            return pal.color(g, QPalette::Midlight);
        case 0x17:
            return pal.color(g, QPalette::ToolTipText);
        case 0x18:
            return pal.color(g, QPalette::ToolTipBase);  // info background
        default:
            return pal.color(g, QPalette::Window);
    }
}

// --- Building ---

FormView::FormView(QtHost& host, platform::Form& form, QMdiArea* mdiArea)
    : host_(host), form_(&form) {
    buildWindow(mdiArea);
    buildControls();
    for (Control* c : order_) {
        for (Prop p : {Prop::Caption, Prop::Text, Prop::Enabled, Prop::Visible, Prop::Locked,
                       Prop::BackColor, Prop::ForeColor, Prop::FillColor, Prop::Font, Prop::Value,
                       Prop::List, Prop::Range, Prop::Alignment, Prop::Geometry}) {
            refresh(*c, p);
        }
    }
    for (Prop p : {Prop::Caption, Prop::Enabled, Prop::BackColor, Prop::Font}) refreshForm(p);
    inferNamers();
    for (auto& [c, it] : items_) updateAccessibleName(it);
    // Tab order is the order of the controls in the form.
    QWidget* prev = nullptr;
    for (Control* c : order_) {
        QWidget* w = items_[c].widget;
        if (w->focusPolicy() == Qt::NoFocus) continue;
        if (prev) QWidget::setTabOrder(prev, w);
        prev = w;
    }
    applyFormGeometry();
    form.setObserver(this);
}

FormView::~FormView() {
    if (window_) window_->disconnect(this);
    detach();
    delete window_.data();
}

void FormView::buildWindow(QMdiArea* mdiArea) {
    platform::Form& f = *form_;
    auto close = [this] { closeBox(); };
    auto* surface = new Surface;
    surface_ = surface;
    if (f.windowKind() == WindowKind::MdiParent) {
        auto* w = new MainFormWindow;
        w->onClose = close;
        w->setCentralWidget(surface);
        auto* area = new QMdiArea(surface);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area->setObjectName(QStringLiteral("documentArea"));
        ownArea_ = area;
        surface->onResize = [this] { layoutDocumentArea(); };
        window_ = w;
    } else if (f.windowKind() == WindowKind::MdiChild && mdiArea) {
        auto* w = new SubFormWindow;
        w->onClose = close;
        w->setWidget(surface);
        mdiArea->addSubWindow(w);
        w->hide();
        subWindow_ = true;
        window_ = w;
    } else {
        auto* w = new DialogFormWindow;
        w->onClose = close;
        auto* layout = new QVBoxLayout(w);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(surface);
        window_ = w;
    }
    window_->setObjectName(qs(f.name()));
    window_->setAccessibleDescription(qs(f.name()));
    // An MDI child goes with the main window's document area: the view then stops mirroring.
    connect(window_, &QObject::destroyed, this, [this] { detach(); });
    surface->setObjectName(qs(f.name() + ".client"));
}

void FormView::buildControls() {
    platform::Form& f = *form_;
    bool hasMenus = false;
    for (const auto& up : f.controls()) {
        Control& c = *up;
        if (c.kind() == Kind::Menu) hasMenus = true;
        if (!hasWidget(c.kind())) continue;
        QWidget* parent = surface_;
        if (c.container()) {
            auto it = items_.find(c.container());
            if (it != items_.end() && it->second.widget) parent = it->second.widget;
        }
        Item& item = items_[&c];
        item.control = &c;
        item.widget = makeWidget(c, parent);
        item.widget->setObjectName(qs(c.designName()));
        item.widget->setAccessibleDescription(qs(c.designName()));
        order_.push_back(&c);
    }
    if (!hasMenus) return;
    QMenuBar* bar = nullptr;
    if (auto* mw = qobject_cast<QMainWindow*>(window_)) {
        bar = mw->menuBar();
    } else if (auto* dlg = qobject_cast<QDialog*>(window_)) {
        bar = new QMenuBar(dlg);
        static_cast<QVBoxLayout*>(dlg->layout())->setMenuBar(bar);
    }
    if (bar) buildMenus(bar);
}

void FormView::buildMenus(QMenuBar* bar) {
    platform::Form& f = *form_;
    auto hasEntries = [&f](const Control* m) {
        for (const auto& up : f.controls()) {
            if (up->kind() == Kind::Menu && up->container() == m) return true;
        }
        return false;
    };
    for (const auto& up : f.controls()) {
        Control& m = *up;
        if (m.kind() != Kind::Menu) continue;
        Item& item = items_[&m];
        item.control = &m;
        QMenu* parentMenu = nullptr;
        if (m.container()) {
            auto it = items_.find(m.container());
            if (it == items_.end() || !it->second.menu) continue;  // under a plain entry
            parentMenu = it->second.menu;
        }
        const QString caption = qs(m.caption());
        if (hasEntries(&m)) {
            item.menu = parentMenu ? parentMenu->addMenu(caption) : bar->addMenu(caption);
            item.menu->setObjectName(qs(m.designName()));
            item.action = item.menu->menuAction();
        } else {
            item.action = parentMenu ? parentMenu->addAction(caption) : bar->addAction(caption);
            refreshMenu(item, Prop::Caption);
            Control* c = &m;
            connect(item.action, &QAction::triggered, this, [this, c] { userClicked(c); });
        }
        item.action->setObjectName(qs(m.designName()));
        refreshMenu(item, Prop::Enabled);
        refreshMenu(item, Prop::Visible);
    }
}

QWidget* FormView::makeWidget(Control& c, QWidget* parent) {
    Control* cp = &c;
    switch (c.kind()) {
        case Kind::Frame: {
            // The caption sits on the frame's top line, where the windows' layouts expect it.
            auto* g = new QGroupBox(parent);
            g->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                " margin-top: 0.5em; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
            return g;
        }
        case Kind::Label: {
            auto* l = new QLabel(parent);
            // Plain text keeps every blank of captions such as a point-number header.
            l->setTextFormat(Qt::PlainText);
            l->setAttribute(Qt::WA_TransparentForMouseEvents);
            return l;
        }
        case Kind::TextBox: {
            auto* e = new QLineEdit(parent);
            // Every change of the text but the program's own (its mirror blocks the signal):
            // typing, paste, undo, and the text an accessibility tool sets.
            connect(e, &QLineEdit::textChanged, this,
                    [this, cp](const QString& s) { userTyped(cp, s); });
            return e;
        }
        case Kind::CommandButton: {
            auto* b = new QPushButton(parent);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, cp] { userClicked(cp); });
            return b;
        }
        case Kind::OptionButton: {
            auto* b = new ModelStateButton<QRadioButton>(parent);
            // Auto-exclusive, so that accessibility tools see a radio button; the options of
            // one container share a group that is not exclusive, so that only the model
            // clears the other options (Qt would also reach into nested frames).
            b->setAutoExclusive(true);
            optionGroup(c.container(), parent)->addButton(b);
            connect(b, &QAbstractButton::clicked, this, [this, cp] { userClicked(cp); });
            connect(b, &QAbstractButton::toggled, this,
                    [this, cp](bool on) { userToggled(cp, on); });
            return b;
        }
        case Kind::CheckBox: {
            auto* b = new ModelStateButton<QCheckBox>(parent);
            connect(b, &QAbstractButton::clicked, this, [this, cp] { userClicked(cp); });
            connect(b, &QAbstractButton::toggled, this,
                    [this, cp](bool on) { userToggled(cp, on); });
            return b;
        }
        case Kind::ComboBox: {
            auto* b = new ComboWidget(parent);
            // Any change of the row but the program's own (its mirror blocks the signal);
            // activated follows it for the user's choices, and alone when the user chooses
            // the row already shown, which raises Click as well.
            connect(b, &QComboBox::currentIndexChanged, this, [this, cp, b](int row) {
                userChose(cp, row);
                // A change that no activation follows (an accessibility tool's) leaves no mark
                // behind for the next choice.
                changedCombo_ = b;
                QTimer::singleShot(0, this, [this] { changedCombo_ = nullptr; });
            });
            connect(b, &QComboBox::activated, this, [this, cp, b](int row) {
                if (changedCombo_ == b) {
                    changedCombo_ = nullptr;
                    return;
                }
                userChose(cp, row);
            });
            // Accessibility tools choose a row by selecting it in the list without moving the
            // list's cursor, which the mouse and the keys always move along.
            QAbstractItemView* list = b->view();
            connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                    [this, cp, b, list](const QItemSelection& selected) {
                        if (selected.indexes().isEmpty()) return;
                        const int row = selected.indexes().first().row();
                        if (row == list->currentIndex().row()) return;
                        b->hidePopup();
                        if (!takesInput(cp)) return;
                        changedCombo_ = nullptr;
                        b->setCurrentIndex(row);
                        emit b->activated(row);
                    });
            return b;
        }
        case Kind::Shape:
            return new ShapeWidget(parent);
        case Kind::Line:
            return new LineWidget(parent);
        case Kind::ProgressBar: {
            auto* b = new QProgressBar(parent);
            b->setTextVisible(false);
            b->setRange(0, 1000);
            return b;
        }
        case Kind::Form:
        case Kind::Timer:
        case Kind::Menu:
            break;
    }
    return nullptr;
}

// --- Model to widgets ---

void FormView::controlChanged(Control& c, Prop p) {
    if (detached_) return;
    if (&c == form_) {
        refreshForm(p);
        return;
    }
    auto it = items_.find(&c);
    if (it == items_.end()) return;
    if (it->second.action) {
        refreshMenu(it->second, p);
        return;
    }
    refresh(c, p);
    if (p == Prop::Caption) {
        if (c.kind() == Kind::Label) {
            for (auto& [other, item] : items_) {
                if (item.rowLabel == &c || item.columnLabel == &c || &item == &it->second) {
                    updateAccessibleName(item);
                }
            }
        } else {
            updateAccessibleName(it->second);
        }
    }
    if (p == Prop::Geometry) {
        inferNamers();
        for (auto& [other, item] : items_) updateAccessibleName(item);
        if (!c.container()) {
            surface_->setHint(controlsExtent());
            layoutDocumentArea();
        }
    }
}

void FormView::refreshForm(Prop p) {
    platform::Form& f = *form_;
    switch (p) {
        case Prop::Caption:
            window_->setWindowTitle(qs(f.caption()));
            window_->setAccessibleName(qs(f.caption()));
            break;
        case Prop::Enabled:
            window_->setEnabled(f.enabled());
            break;
        case Prop::Visible:
            // Code that sets a form's Visible shows or hides it as Show and Hide do; the
            // host's own showing keeps the two in step already.
            if (f.visible() != f.shown()) {
                if (f.visible()) {
                    host_.showModeless(f);
                } else {
                    host_.hideForm(f);
                }
            }
            break;
        case Prop::BackColor: {
            QPalette pal = surface_->palette();
            setRole(pal, QPalette::Window, f.backColor(), false, false);
            surface_->setPalette(pal);
            break;
        }
        case Prop::Font: {
            QFont font = QApplication::font();
            font.setPointSizeF(f.fontSize() > 0 ? f.fontSize() : 8.25);
            surface_->setFont(font);
            break;
        }
        case Prop::Geometry:
            applyFormGeometry();
            break;
        default:
            break;
    }
}

void FormView::refreshMenu(Item& it, Prop p) {
    Control& m = *it.control;
    switch (p) {
        case Prop::Caption:
            if (it.menu) {
                it.menu->setTitle(qs(m.caption()));
            } else {
                // A separator is a bare line: the style would draw a caption beside it.
                const bool line = m.container() && isSeparator(m.caption());
                it.action->setText(line ? QString() : qs(m.caption()));
                it.action->setSeparator(line);
            }
            break;
        case Prop::Enabled:
            it.action->setEnabled(m.enabled());
            break;
        case Prop::Visible:
            it.action->setVisible(m.visible());
            break;
        default:
            break;
    }
}

void FormView::refresh(Control& c, Prop p) {
    QWidget* w = items_[&c].widget;
    if (!w) return;
    const Kind k = c.kind();
    switch (p) {
        case Prop::Caption: {
            const QString cap = displayText(c.caption());
            if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(cap);
            if (auto* l = qobject_cast<QLabel*>(w)) {
                l->setText(cap);
                fitLabel(c, w);
            }
            if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(cap);
            break;
        }
        case Prop::Text:
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                const QString t = qs(c.text());
                if (e->text() != t) {
                    // While the user types, the caret stays where it was; text set by the
                    // program shows from its start.
                    const int caret =
                        typing_ ? std::min(e->cursorPosition(), static_cast<int>(t.size())) : 0;
                    QSignalBlocker block(e);
                    e->setText(t);
                    e->setCursorPosition(caret);
                }
            }
            break;
        case Prop::Enabled:
            w->setEnabled(c.enabled());
            break;
        case Prop::Visible:
            w->setVisible(c.visible());
            break;
        case Prop::Locked:
            if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(c.locked());
            if (auto* b = dynamic_cast<ComboWidget*>(w)) {
                b->locked = c.locked();
                if (b->locked) b->hidePopup();
            }
            break;
        case Prop::BackColor:
        case Prop::ForeColor:
            applyColors(c, w);
            break;
        case Prop::FillColor:
            if (k == Kind::Shape) static_cast<ShapeWidget*>(w)->setFill(toQColor(c.fillColor()));
            break;
        case Prop::Font:
            applyFont(c, w);
            if (k == Kind::Label) fitLabel(c, w);
            break;
        case Prop::Value:
            syncValue(c);
            break;
        case Prop::List:
        case Prop::ListIndex:
            syncList(c);
            break;
        case Prop::Range:
            if (auto* b = qobject_cast<QProgressBar*>(w)) {
                const double span = c.max() - c.min();
                const double part = span > 0 ? (c.progress() - c.min()) / span : 0.0;
                b->setValue(static_cast<int>(std::lround(std::clamp(part, 0.0, 1.0) * 1000)));
            }
            break;
        case Prop::Alignment: {
            const Qt::Alignment h = c.alignment() == 1   ? Qt::AlignRight
                                    : c.alignment() == 2 ? Qt::AlignHCenter
                                                         : Qt::AlignLeft;
            if (auto* l = qobject_cast<QLabel*>(w)) {
                l->setAlignment(h | Qt::AlignTop);
                fitLabel(c, w);
            }
            if (auto* e = qobject_cast<QLineEdit*>(w)) e->setAlignment(h | Qt::AlignVCenter);
            break;
        }
        case Prop::Geometry:
            applyGeometry(c, w);
            break;
        case Prop::Interval:
            break;
    }
}

void FormView::applyColors(Control& c, QWidget* w) {
    QPalette pal = w->palette();
    const Color back = c.backColor();
    const Color fore = c.foreColor();
    const bool ownBack = back != platform::color::ButtonFace;
    switch (c.kind()) {
        case Kind::TextBox:
            setRole(pal, QPalette::Base, back, false, false);
            setRole(pal, QPalette::Text, fore, true, false);
            break;
        case Kind::ComboBox:
            setRole(pal, QPalette::Base, back, false, false);
            setRole(pal, QPalette::Text, fore, true, false);
            setRole(pal, QPalette::ButtonText, fore, true, false);
            break;
        case Kind::CommandButton:
            setRole(pal, QPalette::Button, back, false, true);
            setRole(pal, QPalette::ButtonText, fore, true, true);
            break;
        case Kind::Line:
            static_cast<LineWidget*>(w)->setLine(
                toQColor(fore),
                c.width() != 0 && c.height() != 0 && (c.width() < 0) != (c.height() < 0));
            return;
        case Kind::Shape:
        case Kind::ProgressBar:
            return;
        default:  // frames, labels, option buttons, check boxes
            setRole(pal, QPalette::Window, back, false, false);
            setRole(pal, QPalette::WindowText, fore, true, false);
            w->setAutoFillBackground(ownBack);
            break;
    }
    w->setPalette(pal);
}

void FormView::applyFont(Control& c, QWidget* w) {
    QFont f = QApplication::font();
    f.setPointSizeF(c.fontSize() > 0 ? c.fontSize() : 8.25);
    f.setBold(c.fontBold());
    w->setFont(f);
}

void FormView::applyGeometry(Control& c, QWidget* w) {
    if (c.kind() == Kind::Line) {
        // A line runs from (Left, Top) over (Width, Height), which may point up or left.
        QRect r = QRect(QPoint(px(c.left()), px(c.top())),
                        QPoint(px(c.left() + c.width()), px(c.top() + c.height())))
                      .normalized();
        w->setGeometry(r.x(), r.y(), std::max(1, r.width()), std::max(1, r.height()));
        applyColors(c, w);
        return;
    }
    w->setGeometry(modelRect(c));
    if (c.kind() == Kind::Label) fitLabel(c, w);
}

// A label keeps its designed place; a caption wider than the label (the desktop's font is
// not the one the window was laid out with) widens it rather than being cut, growing on the
// side its alignment leaves free. Labels tall enough for two lines wrap their words.
void FormView::fitLabel(Control& c, QWidget* w) {
    auto* l = static_cast<QLabel*>(w);
    QRect r = modelRect(c);
    const QFontMetrics fm(l->font());
    const bool wrap = r.height() >= 2 * fm.lineSpacing();
    l->setWordWrap(wrap);
    if (wrap) {
        r.setHeight(std::max(r.height(), l->heightForWidth(r.width())));
    } else {
        const QRect need = fm.boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, l->text());
        const int extra = need.width() + 1 - r.width();
        if (extra > 0) {
            if (c.alignment() == 1) {
                r.setLeft(r.left() - extra);
            } else if (c.alignment() == 2) {
                r.adjust(-extra / 2, 0, extra - extra / 2, 0);
            } else {
                r.setWidth(r.width() + extra);
            }
        }
        r.setHeight(std::max(r.height(), need.height()));
    }
    l->setGeometry(r);
}

void FormView::syncValue(Control& c) {
    QWidget* w = items_[&c].widget;
    if (auto* b = qobject_cast<QCheckBox*>(w)) {
        QSignalBlocker block(b);
        b->setCheckState(c.checkValue() == 1   ? Qt::Checked
                         : c.checkValue() == 0 ? Qt::Unchecked
                                               : Qt::PartiallyChecked);
    } else if (auto* r = qobject_cast<QRadioButton*>(w)) {
        QSignalBlocker block(r);
        r->setChecked(c.value());
    }
}

QButtonGroup* FormView::optionGroup(const Control* container, QWidget* parent) {
    QButtonGroup*& g = optionGroups_[container];
    if (!g) {
        g = new QButtonGroup(parent);
        g->setExclusive(false);
    }
    return g;
}

void FormView::syncList(Control& c) {
    auto* b = qobject_cast<QComboBox*>(items_[&c].widget);
    if (!b) return;
    QSignalBlocker block(b);
    bool same = b->count() == c.listCount();
    for (int i = 0; same && i < c.listCount(); ++i) same = b->itemText(i) == qs(c.list()[i]);
    if (!same) {
        b->clear();
        for (const auto& row : c.list()) b->addItem(qs(row));
    }
    b->setCurrentIndex(c.listIndex());  // -1 shows an empty box
}

void FormView::applyFormGeometry() {
    platform::Form& f = *form_;
    surface_->setHint(controlsExtent());
    if (ownArea_) layoutDocumentArea();
    const QSize outer(px(f.width()), px(f.height()));
    if (subWindow_) {
        const QSize size = outer.expandedTo(window_->sizeHint());
        window_->setGeometry(QRect(QPoint(px(f.left()), px(f.top())), size));
    } else {
        const QSize client(outer.width() - kFrameWidth, outer.height() - kFrameHeight);
        window_->resize(client.expandedTo(window_->sizeHint()));
    }
}

QSize FormView::controlsExtent() const {
    QSize s(0, 0);
    for (const Control* c : order_) {
        if (c->container()) continue;
        const QRect g = items_.at(c).widget->geometry();
        s = s.expandedTo(QSize(g.right() + 1, g.bottom() + 1));
    }
    return s;
}

// The document area of an MDI parent takes the largest rectangle reaching the bottom-right
// corner that no control of the window covers.
void FormView::layoutDocumentArea() {
    if (!ownArea_ || !surface_) return;
    const QRect client = surface_->rect();
    std::vector<QRect> taken;
    std::vector<int> xs{0}, ys{0};
    for (const Control* c : order_) {
        if (c->container()) continue;
        const QRect g = items_.at(c).widget->geometry();
        taken.push_back(g);
        xs.push_back(g.right() + 1);
        ys.push_back(g.bottom() + 1);
    }
    QRect best;
    long long bestArea = -1;
    for (int x : xs) {
        for (int y : ys) {
            const QRect cand(x, y, client.width() - x, client.height() - y);
            if (cand.width() <= 0 || cand.height() <= 0) continue;
            const bool free = std::none_of(taken.begin(), taken.end(),
                                           [&](const QRect& t) { return t.intersects(cand); });
            const long long area = static_cast<long long>(cand.width()) * cand.height();
            if (free && area > bestArea) {
                best = cand;
                bestArea = area;
            }
        }
    }
    ownArea_->setGeometry(best);
}

// --- Accessibility ---

// A box without a caption is named by the labels that head its row (to its left) and its
// column (above it): "CH 1" over "Bias" names the box "CH 1 Bias". The column label is the
// label right over the box, or the column label of the box right over it (a grid of boxes
// under one header); anything else in between stops the search.
void FormView::inferNamers() {
    constexpr int slack = 30;  // twips
    auto rowOverlap = [](const Control* a, const Control* b) {
        return std::min(a->top() + a->height(), b->top() + b->height()) -
               std::max(a->top(), b->top());
    };
    auto colOverlap = [](const Control* a, const Control* b) {
        return std::min(a->left() + a->width(), b->left() + b->width()) -
               std::max(a->left(), b->left());
    };
    // Whether a's middle lies over b (a header over a box, not across the whole window).
    auto over = [](const Control* a, const Control* b) {
        const int mid = a->left() + a->width() / 2;
        return mid >= b->left() - b->width() / 2 && mid <= b->left() + b->width() * 3 / 2;
    };
    std::vector<Control*> boxes;
    for (Control* c : order_) {
        items_[c].rowLabel = items_[c].columnLabel = nullptr;
        if (captionless(c->kind())) boxes.push_back(c);
    }
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const Control* a, const Control* b) { return a->top() < b->top(); });
    for (Control* c : boxes) {
        Item& item = items_[c];
        int leftGap = std::numeric_limits<int>::max();
        const Control* nearestAbove = nullptr;
        int aboveBottom = std::numeric_limits<int>::min();
        for (const Control* o : order_) {
            if (o == c || o->container() != c->container()) continue;
            const int oRight = o->left() + o->width();
            const int oBottom = o->top() + o->height();
            if (o->kind() == Kind::Label && oRight <= c->left() + slack && rowOverlap(o, c) > 0 &&
                c->left() - oRight < leftGap) {
                item.rowLabel = o;
                leftGap = c->left() - oRight;
            }
            if (oBottom <= c->top() + slack && colOverlap(o, c) > 0 && oBottom > aboveBottom) {
                nearestAbove = o;
                aboveBottom = oBottom;
            }
        }
        if (!nearestAbove || !over(nearestAbove, c)) continue;
        if (nearestAbove->kind() == Kind::Label) {
            item.columnLabel = nearestAbove;
        } else if (captionless(nearestAbove->kind())) {
            item.columnLabel = items_[nearestAbove].columnLabel;
        }
    }
}

void FormView::updateAccessibleName(Item& it) {
    if (!it.widget) return;
    const Control& c = *it.control;
    QString name;
    if (!c.accessibleName().empty()) {
        name = qs(c.accessibleName());
    } else if (!c.caption().empty()) {
        name = c.kind() == Kind::Label ? displayText(c.caption())
                                       : withoutMnemonic(displayText(c.caption()));
    } else {
        QStringList parts;
        for (const Control* l : {it.columnLabel, it.rowLabel}) {
            if (l && !l->caption().empty()) parts << displayText(l->caption()).simplified();
        }
        name = parts.join(QLatin1Char(' '));
    }
    it.widget->setAccessibleName(name);
}

// --- Widgets to model ---

bool FormView::reachable(const Control* c) const {
    return !detached_ && platform::controlAlive(c) && platform::controlAlive(form_);
}

bool FormView::takesInput(const Control* c) const {
    if (!reachable(c)) return false;
    const QWidget* w = widgetOf(*c);
    return w && w->isEnabled() && !c->locked();
}

void FormView::userTyped(Control* c, const QString& s) {
    if (!reachable(c)) return;
    if (!takesInput(c)) {
        // A locked or switched-off box keeps the program's text, whoever tried to change it.
        refresh(*c, Prop::Text);
        return;
    }
    const bool outer = !typing_;
    typing_ = true;
    c->setText(s.toStdString());  // raises Change
    if (outer) typing_ = false;
}

void FormView::userClicked(Control* c) {
    if (!reachable(c)) return;
    switch (c->kind()) {
        case Kind::OptionButton:
            c->setValue(true);
            break;  // raises Click
        case Kind::CheckBox:
            c->setCheckValue(c->checkValue() == 1 ? 0 : 1);
            break;
        default:
            platform::userClick(*c);
            return;
    }
    // The handler may have changed the value again, or Qt toggled a set option off.
    if (reachable(c)) syncValue(*c);
}

void FormView::userToggled(Control* c, bool on) {
    if (!reachable(c)) return;
    // Switching an option on is choosing it; switching off the option that is set, or any
    // change the model does not take, shows the model's value again.
    if (takesInput(c)) {
        if (c->kind() == Kind::OptionButton && on && !c->value()) {
            c->setValue(true);  // clears the other options, raises Click
        } else if (c->kind() == Kind::CheckBox && (on ? 1 : 0) != c->checkValue()) {
            c->setCheckValue(on ? 1 : 0);  // raises Click
        }
    }
    if (reachable(c)) syncValue(*c);
}

void FormView::userChose(Control* c, int row) {
    if (!reachable(c)) return;
    if (takesInput(c)) c->setListIndex(row);  // raises Click
    if (reachable(c)) syncList(*c);
}

// --- Lifetime ---

void FormView::closeBox() {
    if (!reachable(form_)) return;
    platform::Form& f = *form_;
    platform::UserActionScope action;  // closing a window is the user's action as a click is
    if (f.onCloseBox) {
        auto h = f.onCloseBox;
        h();
    } else {
        f.unload();
    }
}

void FormView::detach() {
    if (detached_) return;
    detached_ = true;
    if (platform::controlAlive(form_) && form_->kind() == Kind::Form && form_->observer() == this) {
        form_->setObserver(nullptr);
    }
    if (window_) window_->hide();
}

QWidget* FormView::releaseWindow() {
    QWidget* w = window_;
    window_ = nullptr;
    return w;
}

QWidget* FormView::widgetOf(const Control& c) const {
    auto it = items_.find(&c);
    return it == items_.end() ? nullptr : it->second.widget;
}

}  // namespace dunax::gui
