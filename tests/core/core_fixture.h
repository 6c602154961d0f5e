// The unit fixture with the stand-in windows registered for every model number and network
// type.
#pragma once

#include <string>

#include "core/main_window.h"
#include "core/module_window.h"
#include "core/network_window.h"
#include "fake_windows.h"
#include "support/unit_fixture.h"

namespace dunax::testing {

class CoreFixture : public UnitFixture {
  protected:
    void SetUp() override {
        fakeModule() = {};
        fakeNetwork() = {};
        for (int n = 0; n < 28; ++n)
            core::RegisterModuleWindow(n, []() -> core::ModuleWindow& { return frmFake(); });
        for (int t = 0; t < 8; ++t)
            core::RegisterNetworkWindow(t, []() -> core::NetworkWindow& { return frmFakeNet(); });
        UnitFixture::SetUp();
    }

    void TearDown() override {
        UnitFixture::TearDown();
        for (int n = 0; n < 28; ++n) core::RegisterModuleWindow(n, {});
        for (int t = 0; t < 8; ++t) core::RegisterNetworkWindow(t, {});
        frmFake.reset();
        frmFakeNet.reset();
    }

    core::MainWindow& main() { return core::frmDunax(); }

    std::vector<std::string>& calls() { return fakeModule().calls; }
};

}  // namespace dunax::testing
