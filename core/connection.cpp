#include "core/connection.h"

#include <array>
#include <string_view>

#include "core/dialogs.h"
#include "core/dispatch.h"
#include "core/ext_select.h"
#include "core/globals.h"
#include "core/link.h"
#include "core/main_window.h"
#include "core/module_window.h"
#include "core/tables.h"
#include "core/text.h"
#include "platform/host.h"

namespace dunax::core {

namespace {

using platform::Buttons;
using platform::Icon;

bool g_identified = false;

constexpr int kNoNetwork = 99;

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// Module codes, tried in this order; the first whose text begins the code wins.
struct ModelRow {
    const char* code;
    int modelNum;
    int subModelNum;
};
constexpr std::array<ModelRow, 25> kModelRows{{
    {"MX16", 5, 0},  {"JR16", 6, 0}, {"FE16", 10, 0}, {"JR8U", 9, 0},   {"JR8Y", 27, 0},
    {"JR4T", 25, 0}, {"LQ2", 3, 0},  {"WZ2", 4, 0},   {"FE2", 17, 0},   {"SD2", 21, 0},
    {"FE8", 14, 0},  {"BV8", 16, 0}, {"KWH4", 0, 4},  {"KWH8", 18, 0},  {"KW4", 0, 1},
    {"BJ4", 1, 2},   {"QN4", 2, 3},  {"UX4", 7, 0},   {"ZP4", 11, 0},   {"LQ4", 12, 0},
    {"WZ4", 13, 0},  {"GF4E", 8, 0}, {"VH4N", 24, 0}, {"TLQH2", 15, 0}, {"MXJ16", 20, 0},
}};

// Networks by the first four characters of the model name.
struct NetRow {
    const char* prefix;
    int netType;
    const char* caption;
    double fontSize;
    bool onlyForVariants;  // the button is shown only for models with a variant number
};
constexpr std::array<NetRow, 8> kNetRows{{
    {"J6P-", 0, "CC-Link", 10, false},
    {"J6Q-", 1, "DeviceNet", 10, false},
    {"J6S-", 2, "Modbus", 10, false},
    {"J6SK", 3, "MECHATROLINK", 9, false},
    {"J6U-", 4, "Ethernet", 9, false},
    {"J6WB", 5, "FL-Remote", 9, false},
    {"J6XN", 6, "HLS", 10, true},
    {"J6YR", 7, "FLEX NETWORK", 9, true},
}};

// Firmware versions before the load-cell window's second settings page.
constexpr std::array<std::string_view, 8> kOldFirmware{" 1.00", " 1.01", " 1.02", " 1.03",
                                                       "1.00",  "1.01",  "1.02",  "1.03"};

void uploadError() {
    ReportLinkFailure("Upload Error", "Upload");
    Disconnect();
}

// The extension module of item 10: none, or the kind, asked once per connection.
void takeExtension(const std::string& x) {
    MainWindow& main = frmDunax();
    g.ExtName = x == "CNG" ? "NONE" : AfterHyphen(x);
    if (g.ExtName == "VQ") g.ExtName = "NONE";
    if (g.ExtName == "NONE") {
        g.ExtChCount = 0;
        g.ExtCaption.clear();
        main.lblExtName.setCaption("");
        main.Frame6.setVisible(false);
        return;
    }
    if (g.ExtSelected) return;  // the earlier answer of this connection stands
    frmExtSelect().ExtName_Select();
    frmExtSelect().showModal(&main);
    g.ExtSelected = true;
}

// Item 03: "1CHs", "2CHs", "4CHs", "16CHs" or "8CHs"; anything else leaves ChCount.
void takeChannelCount(const std::string& c) {
    static constexpr std::array<std::pair<std::string_view, int>, 5> kCounts{
        {{"1CHs", 1}, {"2CHs", 2}, {"4CHs", 4}, {"16CHs", 16}, {"8CHs", 8}}};
    for (const auto& [text, count] : kCounts) {
        if (c == text) {
            g.ChCount = count;
            return;
        }
    }
}

}  // namespace

void Connect() {
    MainWindow& main = frmDunax();
    OpenPort();
    const std::uint64_t heard = RepliesHeard();
    const std::string reply = SelectReadRetry(1, "00", "01");
    if (BeforeColon(reply) == "MNTSW") {
        main.shpLamp.setFillColor(kLampConnected);
        main.lblComPortNo.setCaption("COM" + std::to_string(g.ComPortNo));
        main.lblConStatus.setCaption("Connected");
        g.Connected = true;
        return;
    }
    main.btnSetting.setEnabled(true);
    // A port that would not open says which device it is and why; an open one says whether
    // nothing answered or something that is not a unit. A lost line has been reported already.
    const platform::CommControl& port = MSComm1();
    std::string why;
    if (port.portOpen()) {
        why = port.describe(RepliesHeard() != heard
                                ? "the answer is not a unit's: check that the unit is on this port"
                                : std::string("no unit answered: ") + kCheckTheLine);
    } else if (!port.lineLost()) {
        why = port.lastError();
    }
    ReportLinkFailure(why.empty() ? "Connection Error" : "Connection Error\r\n" + why,
                      "Connection");
    Disconnect();
}

void ReportLinkFailure(const std::string& text, const std::string& title) {
    if (LineLossReported()) return;
    platform::host().messageBox(text, Icon::Critical, Buttons::OK, title);
}

void Disconnect() {
    ClosePort();
    MainWindow& main = frmDunax();
    main.shpLamp.setFillColor(kLampDisconnected);
    main.lblConStatus.setCaption("Disconnected");
    g.Connected = false;
    g.Monitoring = false;
    g.ExtSelected = false;
}

bool UploadIdentified() {
    return g_identified;
}

void UploadUnit() {
    g_identified = false;
    MaintenancePrologue("00", "F");

    std::string reply = ItemReadRetry(kRetries, "02");
    if (reply.empty()) return uploadError();
    g.ModelName = AfterColon(reply);
    frmDunax().lblMastertype.setCaption(g.ModelName);
    const ModelIdentity model = ModelOfName(g.ModelName);
    g.ModelNum = model.modelNum;
    g.SubModelNum = model.subModelNum;
    SetNetType(g.ModelName);

    reply = ItemReadRetry(kRetries, "06");
    if (reply.empty()) return uploadError();
    const std::string version = AfterColon(reply);
    g.VersionCaption = "Version : " + version;
    frmDunax().lblVersionNo.setCaption(g.VersionCaption);
    g.NewFirmware = IsNewFirmware(version);

    reply = ItemReadRetry(kRetries, "10");
    if (reply.empty()) return uploadError();
    takeExtension(AfterColon(reply));

    reply = ItemReadRetry(kRetries, "03");
    if (reply.empty()) return uploadError();
    const std::string count = AfterColon(reply);
    if (startsWith(count, "N")) {
        platform::host().messageBox("Need Initialize", Icon::Critical, Buttons::OK,
                                    "Initialize Error\r\n");
        frmDunax().btnDisconnect_Click();
        frmDunax().mnuFilesEnd_Click();  // ends the program
        return;
    }
    takeChannelCount(count);

    g_identified = true;
    g.UploadModelNum = g.ModelNum;
    if (ModuleWindow* w = ModuleWindowFor(g.ModelNum)) {
        w->Init();
        // The upload may have closed and released the window; show the one now in place.
        if (ModuleWindow* shown = ModuleWindowFor(g.ModelNum)) ShowModuleForm(*shown);
    } else {
        // No window of its own (99, or a model whose window is not part of this program).
        ShowModuleForm(frmNONE());
    }
}

ModelIdentity ModelOfCode(const std::string& code) {
    for (const ModelRow& row : kModelRows) {
        if (!startsWith(code, row.code)) continue;
        if (row.modelNum == 12 && startsWith(code, "LQ4L")) return {19, 0};
        if (row.modelNum == 13 && startsWith(code, "WZ4L")) return {26, 0};
        return {row.modelNum, row.subModelNum};
    }
    return {kUnknownModel, 0};
}

ModelIdentity ModelOfName(const std::string& fullName) {
    // Two models are known by their whole name only.
    if (fullName == "J6XN-SD2") return {22, 0};
    if (fullName == "J6U-FE8") return {23, 0};
    return ModelOfCode(AfterHyphen(fullName));
}

void SetModelNum(const std::string& code) {
    const ModelIdentity model = ModelOfCode(code);
    g.ModelNum = model.modelNum;
    g.SubModelNum = model.subModelNum;
}

int NetTypeOfName(const std::string& name) {
    const std::string_view prefix = std::string_view(name).substr(0, 4);
    for (const NetRow& row : kNetRows) {
        if (prefix == row.prefix) return row.netType;
    }
    return kNoNetwork;
}

bool IsNewFirmware(const std::string& version) {
    for (std::string_view old : kOldFirmware) {
        if (version == old) return false;
    }
    return true;
}

void SetNetType(const std::string& name) {
    platform::Control& button = frmDunax().btnComNet;
    g.NetType = NetTypeOfName(name);
    for (const NetRow& row : kNetRows) {
        if (row.netType != g.NetType) continue;
        button.setCaption(row.caption).setFontSize(row.fontSize);
        button.setVisible(!row.onlyForVariants || g.SubModelNum != 0);
        return;
    }
    button.setCaption("").setVisible(false);
}

}  // namespace dunax::core
