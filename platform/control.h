// The control model: every window of the program is a Form that owns named controls. Window
// logic reads and writes control properties; the GUI (gui/) mirrors them on screen and turns
// the user's typing and clicking back into property changes and events.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/color.h"

namespace dunax::platform {

class Form;
class Control;

enum class Kind {
    Form,
    Frame,
    Label,
    TextBox,
    CommandButton,
    OptionButton,
    CheckBox,
    ComboBox,
    Shape,
    Line,
    ProgressBar,
    Timer,
    Menu,
};

const char* kindName(Kind k);

// Whether c still exists (a window may have been unloaded and released meanwhile).
bool controlAlive(const Control* c);

// The property that changed, so that the GUI refreshes only what it must.
enum class Prop {
    Caption,
    Text,
    Enabled,
    Visible,
    Locked,
    BackColor,
    ForeColor,
    FillColor,
    Font,
    Value,
    List,
    ListIndex,
    Range,
    Geometry,
    Interval,
    Alignment,
};

// Receives every property change of the controls of one form (the GUI renderer).
class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& c, Prop p) = 0;
};

class Control {
  public:
    using Handler = std::function<void()>;

    Control(Form* form, Kind kind, std::string name, int index, Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    // Index within a control array, -1 for a control that is not part of an array.
    int index() const { return index_; }
    // "txtBias(1)" for an array element, "lblMastertype" otherwise.
    std::string designName() const;
    Form* form() const { return form_; }
    Control* container() const { return container_; }

    // --- Properties. Setters notify the GUI; some raise the control's events. ---
    const std::string& caption() const { return caption_; }
    Control& setCaption(std::string s);

    // TextBox: setting a different text raises Change, as typing does.
    const std::string& text() const;
    Control& setText(std::string s);

    bool enabled() const { return enabled_; }
    Control& setEnabled(bool b);
    bool visible() const { return visible_; }
    Control& setVisible(bool b);
    bool locked() const { return locked_; }
    Control& setLocked(bool b);

    Color backColor() const { return backColor_; }
    Control& setBackColor(Color c);
    Color foreColor() const { return foreColor_; }
    Control& setForeColor(Color c);
    Color fillColor() const { return fillColor_; }
    Control& setFillColor(Color c);

    double fontSize() const { return fontSize_; }
    Control& setFontSize(double pt);
    bool fontBold() const { return fontBold_; }
    Control& setFontBold(bool b);
    // 0 left, 1 right, 2 centre.
    int alignment() const { return alignment_; }
    Control& setAlignment(int a);

    // OptionButton: True clears the other options of the same container and raises Click.
    // CheckBox: 0 unchecked, 1 checked; a change raises Click.
    bool value() const { return value_ != 0; }
    int checkValue() const { return value_; }
    Control& setValue(bool b);
    Control& setCheckValue(int v);

    // ComboBox: rows count from 0, ListIndex -1 is "no selection". Setting ListIndex raises
    // Click; an index outside the list becomes -1.
    const std::vector<std::string>& list() const { return list_; }
    int listCount() const { return static_cast<int>(list_.size()); }
    Control& addItem(std::string row);
    Control& clear();
    int listIndex() const { return listIndex_; }
    Control& setListIndex(int i);

    // ProgressBar: Value is clamped to Min..Max.
    double min() const { return min_; }
    double max() const { return max_; }
    double progress() const { return progress_; }
    Control& setMin(double v);
    Control& setMax(double v);
    Control& setProgress(double v);

    // Timer: Enabled starts and stops it; Interval in milliseconds.
    int interval() const { return interval_; }
    Control& setInterval(int ms);

    // Geometry in twips (15 twips = 1 pixel at 96 dpi).
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    Control& setGeometry(int left, int top, int width, int height);
    Control& move(int left, int top);
    Control& resize(int width, int height);

    // A control marked urgent (Stop, Disconnect, Exit) runs its click even while the unit
    // link waits for a reply; other clicks wait until the exchange has ended.
    bool urgent() const { return urgent_; }
    Control& setUrgent(bool b) {
        urgent_ = b;
        return *this;
    }

    // The label that names a box without a caption ("CH 1 Bias"), for accessibility.
    const std::string& accessibleName() const { return accessibleName_; }
    Control& setAccessibleName(std::string s) {
        accessibleName_ = std::move(s);
        return *this;
    }

    // --- Events ---
    Handler onClick;
    Handler onChange;
    Handler onTimer;

    // Raises Click as if the user clicked (the handler runs at once; see userClick for the
    // user's own clicks, which respect the exchange guard).
    void click();
    void timerTick();

  protected:
    void notify(Prop p);

  private:
    Form* form_;
    Kind kind_;
    std::string name_;
    int index_;
    Control* container_;
    std::string caption_;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = true;
    bool locked_ = false;
    Color backColor_;
    Color foreColor_;
    Color fillColor_ = color::Black;
    double fontSize_ = 8.25;
    bool fontBold_ = false;
    int alignment_ = 0;
    int value_ = 0;
    std::vector<std::string> list_;
    int listIndex_ = -1;
    double min_ = 0, max_ = 100, progress_ = 0;
    int interval_ = 0;
    int left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    bool urgent_ = false;
    std::string accessibleName_;
};

// Elements of one control array by their design index (from 0, from 1 or sparse).
class ControlArray {
  public:
    Control& operator()(int i) const;
    Control& operator[](int i) const { return (*this)(i); }
    bool has(int i) const { return items_.count(i) != 0; }
    // Indices in ascending order.
    std::vector<int> indices() const;
    int lowerBound() const;
    int upperBound() const;
    void put(int i, Control& c) { items_[i] = &c; }

  private:
    std::map<int, Control*> items_;
};

enum class WindowKind {
    Top,        // a top-level window (dialogs, progress window, network windows)
    MdiParent,  // the main window
    MdiChild,   // module windows
};

// A window. Controls are created in the constructor with add(); their order is the tab order.
class Form : public Control {
  public:
    explicit Form(std::string name, WindowKind wk = WindowKind::Top);
    ~Form() override;

    WindowKind windowKind() const { return windowKind_; }

    // Lookup by name and array index (-1 for a control that is not in an array).
    Control* find(const std::string& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // Shows the window without waiting.
    void show();
    // Shows the window modally with an owner; returns when the window is hidden or unloaded.
    void showModal(Form* owner = nullptr);
    void hide();
    // Unloads the window: Unload event, off screen, and released once the handlers running
    // now have returned. The next touch of its global instance creates it anew.
    void unload();
    bool shown() const { return shown_; }
    bool unloaded() const { return unloaded_; }

    FormObserver* observer() const { return observer_; }
    void setObserver(FormObserver* o) { observer_ = o; }

    // Called by the window's FormInstance when it is unloaded.
    std::function<void()> releaseHook;

    Handler onLoad;
    Handler onUnload;
    // The close box of the window; without a handler the window unloads.
    Handler onCloseBox;

    // Called by the host.
    void setShown(bool b);

  protected:
    Control& add(Kind k, std::string name, Control* container = nullptr);
    Control& add(Kind k, std::string name, int index, Control* container, ControlArray& arr);

  private:
    friend class Control;
    WindowKind windowKind_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    FormObserver* observer_ = nullptr;
    bool shown_ = false;
    bool unloaded_ = false;
};

// The global instance of one window class: created and loaded on first use, released on
// unload, created again by the next use.
template <class F>
class FormInstance {
  public:
    F& operator()() {
        if (!f_) {
            f_ = std::make_unique<F>();
            f_->releaseHook = [this] { release(); };
            if (f_->onLoad) f_->onLoad();
        }
        return *f_;
    }
    F* operator->() { return &(*this)(); }
    bool loaded() const { return f_ != nullptr; }
    // Drops the window at once (tests; program end).
    void reset() { f_.reset(); }

  private:
    void release();
    std::unique_ptr<F> f_;
};

// Keeps unloaded windows alive until no handler of theirs can still be running.
void retireForm(std::unique_ptr<Form> f);
void collectRetiredForms();

template <class F>
void FormInstance<F>::release() {
    if (f_) retireForm(std::unique_ptr<Form>(f_.release()));
}

}  // namespace dunax::platform
