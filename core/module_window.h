// What the main window asks of every module window, and the table from model number to the
// window made for that model.
#pragma once

#include <functional>
#include <string>

#include "platform/control.h"

namespace dunax::core {

class ModuleWindow : public platform::Form {
  public:
    explicit ModuleWindow(std::string name)
        : Form(std::move(name), platform::WindowKind::MdiChild) {}

    // Upload and download, named after the window in each class (frmKW4_Init, ...).
    virtual void Init() = 0;
    virtual void Download() = 0;
    // One monitoring pass.
    virtual void ReadingData() = 0;
    // Checks the entries before a download; a window without a check counts as valid.
    virtual bool CheckData() { return true; }
    virtual void txt_able(bool flag) = 0;

    // Operations only some windows have; the main window asks has...() first.
    virtual bool hasTxtAble2() const { return false; }
    virtual void txt_able2(bool) {}
    virtual void txt_visible2(bool) {}
    virtual bool hasPresetAble() const { return false; }
    virtual bool preset_able(bool) { return false; }
    virtual bool hasCmdset() const { return false; }
    virtual void cmdset_disable() {}
    virtual void cmdset_enable() {}
    virtual void dtype_change() {}
};

// The window of a model number 0..27; null for a number without a window of its own (the
// unrecognised-model window serves those).
ModuleWindow* ModuleWindowFor(int modelNum);
// Whether modelNum has a window (without creating it).
bool HasModuleWindow(int modelNum);

// Each module window registers the accessor of its global instance once, at start-up.
void RegisterModuleWindow(int modelNum, std::function<ModuleWindow&()> instance);

}  // namespace dunax::core
