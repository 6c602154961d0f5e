#include "platform/control.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

#include "platform/host.h"

namespace dunax::platform {

namespace {
// Every control alive now, so that a click held back for later is dropped when its window
// has gone meanwhile.
std::unordered_set<const Control*>& liveControls() {
    // Never freed: windows held by global instances are destroyed at program exit, after
    // function-local statics would be.
    static auto* s = new std::unordered_set<const Control*>;
    return *s;
}

Color defaultBack(Kind k) {
    switch (k) {
        case Kind::TextBox:
        case Kind::ComboBox:
            return color::WindowBackground;
        default:
            return color::ButtonFace;
    }
}
}  // namespace

bool controlAlive(const Control* c) {
    return liveControls().count(c) != 0;
}

const char* kindName(Kind k) {
    switch (k) {
        case Kind::Form:
            return "Form";
        case Kind::Frame:
            return "Frame";
        case Kind::Label:
            return "Label";
        case Kind::TextBox:
            return "TextBox";
        case Kind::CommandButton:
            return "CommandButton";
        case Kind::OptionButton:
            return "OptionButton";
        case Kind::CheckBox:
            return "CheckBox";
        case Kind::ComboBox:
            return "ComboBox";
        case Kind::Shape:
            return "Shape";
        case Kind::Line:
            return "Line";
        case Kind::ProgressBar:
            return "ProgressBar";
        case Kind::Timer:
            return "Timer";
        case Kind::Menu:
            return "Menu";
    }
    return "?";
}

Control::Control(Form* form, Kind kind, std::string name, int index, Control* container)
    : form_(form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      container_(container),
      backColor_(defaultBack(kind)),
      foreColor_(kind == Kind::TextBox || kind == Kind::ComboBox ? color::WindowText
                                                                 : color::ButtonText) {
    if (kind == Kind::Timer) enabled_ = false;
    liveControls().insert(this);
}

Control::~Control() {
    liveControls().erase(this);
}

std::string Control::designName() const {
    if (index_ < 0) return name_;
    return name_ + "(" + std::to_string(index_) + ")";
}

void Control::notify(Prop p) {
    // A form's own properties (Caption, Visible, size) reach the observer of the form.
    Form* f = form_ ? form_ : dynamic_cast<Form*>(this);
    if (f && f->observer()) f->observer()->controlChanged(*this, p);
}

Control& Control::setCaption(std::string s) {
    if (s != caption_) {
        caption_ = std::move(s);
        notify(Prop::Caption);
    }
    return *this;
}

const std::string& Control::text() const {
    static const std::string none;
    if (kind_ == Kind::ComboBox) {
        return listIndex_ >= 0 && listIndex_ < listCount() ? list_[listIndex_] : none;
    }
    return text_;
}

Control& Control::setText(std::string s) {
    if (s == text_) return *this;
    text_ = std::move(s);
    notify(Prop::Text);
    if (onChange) onChange();
    return *this;
}

Control& Control::setEnabled(bool b) {
    if (b != enabled_) {
        enabled_ = b;
        notify(Prop::Enabled);
        if (kind_ == Kind::Timer && hostInstalled()) host().timerChanged(*this);
    }
    return *this;
}

Control& Control::setVisible(bool b) {
    if (b != visible_) {
        visible_ = b;
        notify(Prop::Visible);
    }
    return *this;
}

Control& Control::setLocked(bool b) {
    if (b != locked_) {
        locked_ = b;
        notify(Prop::Locked);
    }
    return *this;
}

Control& Control::setBackColor(Color c) {
    if (c != backColor_) {
        backColor_ = c;
        notify(Prop::BackColor);
    }
    return *this;
}

Control& Control::setForeColor(Color c) {
    if (c != foreColor_) {
        foreColor_ = c;
        notify(Prop::ForeColor);
    }
    return *this;
}

Control& Control::setFillColor(Color c) {
    if (c != fillColor_) {
        fillColor_ = c;
        notify(Prop::FillColor);
    }
    return *this;
}

Control& Control::setFontSize(double pt) {
    if (pt != fontSize_) {
        fontSize_ = pt;
        notify(Prop::Font);
    }
    return *this;
}

Control& Control::setFontBold(bool b) {
    if (b != fontBold_) {
        fontBold_ = b;
        notify(Prop::Font);
    }
    return *this;
}

Control& Control::setAlignment(int a) {
    if (a != alignment_) {
        alignment_ = a;
        notify(Prop::Alignment);
    }
    return *this;
}

Control& Control::setValue(bool b) {
    if (kind_ == Kind::CheckBox) return setCheckValue(b ? 1 : 0);
    if (!b) {
        if (value_ != 0) {
            value_ = 0;
            notify(Prop::Value);
        }
        return *this;
    }
    // An option button set to True clears the other options of its container.
    if (kind_ == Kind::OptionButton && form_) {
        for (const auto& other : form_->controls()) {
            if (other.get() != this && other->kind_ == Kind::OptionButton &&
                other->container_ == container_ && other->value_ != 0) {
                other->value_ = 0;
                other->notify(Prop::Value);
            }
        }
    }
    if (value_ == 0) {
        value_ = 1;
        notify(Prop::Value);
    }
    if (kind_ == Kind::OptionButton) click();
    return *this;
}

Control& Control::setCheckValue(int v) {
    if (v == value_) return *this;
    value_ = v;
    notify(Prop::Value);
    click();
    return *this;
}

Control& Control::addItem(std::string row) {
    list_.push_back(std::move(row));
    notify(Prop::List);
    return *this;
}

Control& Control::clear() {
    list_.clear();
    listIndex_ = -1;
    notify(Prop::List);
    return *this;
}

Control& Control::setListIndex(int i) {
    // A row that the list does not have is no selection: nothing out of the list is ever
    // shown or written back.
    if (i < -1 || i >= listCount()) i = -1;
    listIndex_ = i;
    notify(Prop::ListIndex);
    click();
    return *this;
}

Control& Control::setMin(double v) {
    min_ = v;
    if (max_ < min_) max_ = min_;
    progress_ = std::clamp(progress_, min_, max_);
    notify(Prop::Range);
    return *this;
}

Control& Control::setMax(double v) {
    max_ = v;
    if (min_ > max_) min_ = max_;
    progress_ = std::clamp(progress_, min_, max_);
    notify(Prop::Range);
    return *this;
}

Control& Control::setProgress(double v) {
    progress_ = std::clamp(v, min_, max_);
    notify(Prop::Range);
    return *this;
}

Control& Control::setInterval(int ms) {
    if (ms != interval_) {
        interval_ = ms;
        notify(Prop::Interval);
        if (kind_ == Kind::Timer && hostInstalled()) host().timerChanged(*this);
    }
    return *this;
}

Control& Control::setGeometry(int l, int t, int w, int h) {
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
    notify(Prop::Geometry);
    return *this;
}

Control& Control::move(int l, int t) {
    return setGeometry(l, t, width_, height_);
}
Control& Control::resize(int w, int h) {
    return setGeometry(left_, top_, w, h);
}

void Control::click() {
    if (onClick) {
        // The handler may unload the window (and with it this control); keep the handler
        // alive for the length of the call.
        Handler h = onClick;
        h();
    }
}

void Control::timerTick() {
    if (onTimer) {
        Handler h = onTimer;
        h();
    }
}

// --- ControlArray ---

Control& ControlArray::operator()(int i) const {
    auto it = items_.find(i);
    if (it == items_.end())
        throw std::out_of_range("control array has no element " + std::to_string(i));
    return *it->second;
}

std::vector<int> ControlArray::indices() const {
    std::vector<int> v;
    for (const auto& [i, c] : items_) v.push_back(i);
    return v;
}

int ControlArray::lowerBound() const {
    return items_.empty() ? 0 : items_.begin()->first;
}
int ControlArray::upperBound() const {
    return items_.empty() ? -1 : items_.rbegin()->first;
}

// --- Form ---

Form::Form(std::string name, WindowKind wk)
    : Control(nullptr, Kind::Form, std::move(name), -1, nullptr), windowKind_(wk) {
    setVisible(false);
}

Form::~Form() = default;

Control& Form::add(Kind k, std::string name, Control* container) {
    auto c = std::make_unique<Control>(this, k, name, -1, container);
    Control& ref = *c;
    byName_[{name, -1}] = &ref;
    controls_.push_back(std::move(c));
    return ref;
}

Control& Form::add(Kind k, std::string name, int index, Control* container, ControlArray& arr) {
    auto c = std::make_unique<Control>(this, k, name, index, container);
    Control& ref = *c;
    byName_[{name, index}] = &ref;
    controls_.push_back(std::move(c));
    arr.put(index, ref);
    return ref;
}

Control* Form::find(const std::string& name, int index) const {
    auto it = byName_.find({name, index});
    return it == byName_.end() ? nullptr : it->second;
}

void Form::setShown(bool b) {
    shown_ = b;
    setVisible(b);
}

void Form::show() {
    host().showModeless(*this);
}

void Form::showModal(Form* owner) {
    host().showModal(*this, owner);
}

void Form::hide() {
    host().hideForm(*this);
}

void Form::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (onUnload) onUnload();
    host().unloadForm(*this);
    shown_ = false;
    if (releaseHook) {
        auto hook = std::move(releaseHook);
        hook();  // the global instance lets go; the window lives on until it is collected
    }
}

// --- Retired windows ---

namespace {
std::vector<std::unique_ptr<Form>>& graveyard() {
    static std::vector<std::unique_ptr<Form>> g;
    return g;
}
}  // namespace

void retireForm(std::unique_ptr<Form> f) {
    graveyard().push_back(std::move(f));
}

void collectRetiredForms() {
    // Destroying a window may retire others (their handlers run); take the list first.
    auto dead = std::move(graveyard());
    graveyard().clear();
    dead.clear();
}

}  // namespace dunax::platform
