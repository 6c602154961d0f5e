#include "config_file/layout.h"

#include "core/text.h"

namespace dunax::config_file {

const std::vector<std::string> kListL12{
    "-10V to 10V", "-5V to 5V",     "-1V to 1V",     "0V to 10V",     "0V to 5V",    "1V to 5V",
    "0V to 1V",    "-0.5V to 0.5V", "-------------", "-20mA to 20mA", "4mA to 20mA", "0mA to 20mA"};
const std::vector<std::string> kListL8{"-10V to 10V", "-5V to 5V", "-1V to 1V", "0V to 10V",
                                       "0V to 5V",    "1V to 5V",  "0V to 1V",  "-0.5V to 0.5V"};
const std::vector<std::string> kListL5{"-10V to 10V", "-5V to 5V", "0V to 10V", "0V to 5V",
                                       "1V to 5V"};
const std::vector<std::string> kListL6{"-10V to 10V", "-5V to 5V", "-------------",
                                       "0V to 10V",   "0V to 5V",  "1V to 5V"};
const std::vector<std::string> kListL6S{"-10V to 10V", "-5V to 5V", "-----------",
                                        "0V to 10V",   "0V to 5V",  "1V to 5V"};
const std::vector<std::string> kListLTC{"K(CA)", "E(CRC)", "J(IC)",       "T(CC)", "B(RH)",
                                        "R",     "S",      "C(WRe 5-26)", "N",     "U",
                                        "L",     "P",      "PR"};
const std::vector<std::string> kListLRTD{"Pt100(JIS'97)", "Pt100(JIS'89)", "JPt100(JIS'89)",
                                         "Pt50(JIS'81)",  "Ni100",         "Cu10",
                                         "-------------", "-------------", "Cu50"};
const std::vector<std::string> kListLTH{"TH_502AT"};
const std::vector<std::string> kListLCT{"0A to 600A", "0A to 400A", "0A to 200A",
                                        "0A to 100A", "0A to 50A",  "0A to 5A"};
const std::vector<std::string> kListLU{"C", "F", "K"};

namespace {

class Builder {
  public:
    std::vector<Step> steps;

    void record(std::vector<Field> fields, int held = -1) {
        Step s{StepKind::Record};
        s.fields = std::move(fields);
        s.held = held;
        steps.push_back(std::move(s));
    }
    void simple(StepKind k, bool flag = false) {
        Step s{k};
        s.flag = flag;
        steps.push_back(std::move(s));
    }
    void applyHeld(int slot) {
        // The held record's fields are those of the record that filled the slot.
        for (const Step& s : steps) {
            if (s.kind == StepKind::Record && s.held == slot) {
                Step a{StepKind::ApplyHeld};
                a.fields = s.fields;
                a.held = slot;
                steps.push_back(std::move(a));
                return;
            }
        }
    }
    void fillList(const char* control, int index, const std::vector<std::string>& rows) {
        Step s{StepKind::FillList};
        s.control = control;
        s.index = index;
        s.rows = &rows;
        steps.push_back(std::move(s));
    }
    void caption(const char* control, int index, std::string text) {
        Step s{StepKind::Caption};
        s.control = control;
        s.index = index;
        s.text = std::move(text);
        steps.push_back(std::move(s));
    }
    void unitLabels(const core::TempRangeTable& table) {
        Step s{StepKind::UnitLabels};
        s.held = kHeldUnits;
        s.table = &table;
        steps.push_back(std::move(s));
    }

    // --- The shared records ---
    void ranges(int n) {
        std::vector<Field> f;
        for (int c = 0; c < n; ++c) f.push_back({Source::ListIndex, "cmbUserRange", c});
        record(std::move(f), kHeldRanges);
    }
    void units() {
        std::vector<Field> f;
        for (int c = 0; c < 4; ++c) f.push_back({Source::ListIndex, "cmbUserUnit", c});
        record(std::move(f), kHeldUnits);
    }
    void keep() {
        record({{Source::OptionValue, "optKeepOn"}, {Source::OptionValue, "optKeepOff"}});
    }
    // Channel records of six, five or four texts; then, per channel, the range list, the unit
    // list and the base-unit labels that opening a file sets.
    void channels(int n, int texts, const std::vector<std::string>* rangeList = nullptr,
                  bool unitList = false, const char* labels = nullptr) {
        static const std::vector<const char*> six{"txtZScale", "txtFScale", "txtBias",
                                                  "txtGain",   "txtZBase",  "txtFBase"};
        static const std::vector<const char*> four{"txtZScale", "txtFScale", "txtZBase",
                                                   "txtFBase"};
        for (int c = 0; c < n; ++c) {
            std::vector<Field> f;
            if (texts == 4) {
                for (const char* name : four) f.push_back({Source::Text, name, c});
            } else {
                for (int k = 0; k < texts; ++k) f.push_back({Source::Text, six[k], c});
            }
            record(std::move(f));
            if (rangeList) fillList("cmbUserRange", c, *rangeList);
            if (unitList) fillList("cmbUserUnit", c, kListLU);
            if (labels) {
                caption("lblZBase_Unit", c, labels);
                caption("lblFBase_Unit", c, labels);
            }
        }
    }
    // A record of the same kind of field for control indices first..last.
    void series(Source src, const char* control, int first, int last) {
        std::vector<Field> f;
        for (int i = first; i <= last; ++i) f.push_back({src, control, i});
        record(std::move(f));
    }
    void finish() {
        simple(StepKind::Code);
        simple(StepKind::Show);
    }
};

// The voltage/current windows with a range list: pages (when they have them), ranges, hold
// (when they have it), channels with the list, ranges selected.
std::vector<Step> rangeWindow(bool pages, int n, bool hold, const std::vector<std::string>& list) {
    Builder b;
    if (pages) b.simple(StepKind::Pages);
    b.ranges(n);
    if (hold) b.keep();
    b.channels(n, 6, &list);
    b.applyHeld(kHeldRanges);
    b.finish();
    return b.steps;
}

std::vector<Step> temperatureWindow(const std::vector<std::string>& list,
                                    const core::TempRangeTable& table) {
    Builder b;
    b.simple(StepKind::Pages);
    b.ranges(4);
    b.units();
    b.keep();
    b.channels(4, 6, &list, true);
    b.applyHeld(kHeldRanges);
    b.applyHeld(kHeldUnits);
    b.unitLabels(table);
    b.finish();
    return b.steps;
}

// Windows without a range list: page handling, hold, channels, labels.
enum class PageUse { None, Both, FirstOnly };
std::vector<Step> plainWindow(PageUse pages, bool hold, int n, int texts,
                              const char* labels = nullptr) {
    Builder b;
    if (pages == PageUse::Both) b.simple(StepKind::Pages);
    if (pages == PageUse::FirstOnly) b.simple(StepKind::FirstPage);
    if (hold) b.keep();
    b.channels(n, texts, nullptr, false, labels);
    b.finish();
    return b.steps;
}

std::vector<Step> counterWindow(int n, bool carry) {
    Builder b;
    b.simple(StepKind::Pages);
    b.keep();
    for (int c = 0; c < n; ++c) {
        if (carry) {
            b.record({{Source::Text, "txtOver", c}, {Source::Text, "txtFScale", c}});
        } else {
            b.record({{Source::Text, "txtFScale", c}});
        }
    }
    b.finish();
    return b.steps;
}

std::vector<Step> loadCellWindow(bool hold, bool visible2) {
    Builder b;
    b.simple(StepKind::Pages);
    if (hold) b.keep();
    b.channels(2, 5);
    b.simple(StepKind::Code);
    b.simple(StepKind::Visible2, visible2);
    b.simple(StepKind::Show);
    return b.steps;
}

std::vector<Step> encoderWindow() {
    Builder b;
    for (int c = 0; c < 2; ++c) {
        std::vector<Field> setting, alarm, latch;
        for (const char* n : {"txtDO", "txtReset", "txtMin", "txtMax", "txtBias", "txtGain",
                              "txtZS", "txtFS", "txtOP"}) {
            setting.push_back({Source::Text, n, c});
        }
        for (const char* n : {"txtA1Type", "txtA1SM", "txtA1SH", "txtA1PM", "txtA1PH", "txtA2Type",
                              "txtA2SM", "txtA2SH", "txtA2PM", "txtA2PH"}) {
            alarm.push_back({Source::Text, n, c});
        }
        for (const char* n : {"txtEL", "txtHL", "txtER", "txtHR", "txtZR", "txtHLD", "txtHRD"}) {
            latch.push_back({Source::Text, n, c});
        }
        b.record(std::move(setting));
        b.record(std::move(alarm));
        b.record(std::move(latch));
    }
    b.series(Source::Text, "txtTM", 0, 2);
    b.simple(StepKind::DisplayType);
    b.simple(StepKind::Show);
    return b.steps;
}

// Windows that keep only the hold choice, or nothing.
std::vector<Step> holdOnly(bool hold) {
    Builder b;
    if (hold) b.keep();
    b.finish();
    return b.steps;
}

}  // namespace

bool HasGateway(const std::string& versionCaption) {
    const std::string lead = core::AfterColon(versionCaption).substr(0, 3);
    return lead != " 0." && lead != " 1.";
}

std::vector<Step> ModuleSteps(int modelNum, const std::string& modelName, bool newFirmware) {
    switch (modelNum) {
        case 0:
            return rangeWindow(true, 4, true, kListL12);
        case 1:
            return temperatureWindow(kListLTC, core::TcRange);
        case 2:
            return temperatureWindow(kListLRTD, core::RtdRange);
        case 3:
            return rangeWindow(true, 2, true, kListL8);
        case 4:
            return plainWindow(PageUse::FirstOnly, true, 2, 6, "mA");
        case 5: {
            Builder b;
            b.keep();
            b.simple(StepKind::Code);
            const bool replyDelay = modelName == "J6S-MX16H";
            b.simple(StepKind::ReplyDelayFrame, replyDelay);
            if (replyDelay) b.record({{Source::TextInteger, "Text1"}});
            b.simple(StepKind::Show);
            return b.steps;
        }
        case 6:
        case 16:
        case 27:
            return holdOnly(true);
        case 7:
            return plainWindow(PageUse::Both, true, 4, 4);
        case 8: {
            Builder b;
            b.simple(StepKind::Pages);
            b.ranges(4);
            b.series(Source::TextInteger, "txtDropout", 0, 3);
            b.steps.back().held = kHeldDropouts;
            b.record({{Source::TextInteger, "txtStartup"},
                      {Source::OptionValue, "optKeepOn"},
                      {Source::OptionValue, "optKeepOff"}});
            b.channels(4, 6, &kListLCT, false, "A");
            b.applyHeld(kHeldRanges);
            b.applyHeld(kHeldDropouts);
            b.finish();
            return b.steps;
        }
        case 9:
        case 25:
            return holdOnly(false);
        case 10:
            return counterWindow(16, false);
        case 11:
            return temperatureWindow(kListLTH, core::ZP4Range);
        case 12:
            return rangeWindow(true, 4, true, kListL5);
        case 13:
            return plainWindow(PageUse::Both, true, 4, 6, "mA");
        case 14:
        case 23:
            return counterWindow(8, true);
        case 15:
            return plainWindow(PageUse::None, false, 2, 6);
        case 17:
            return encoderWindow();
        case 18:
            return rangeWindow(true, 8, false, kListL6);
        case 19:
            return rangeWindow(false, 4, false, kListL6S);
        case 20: {
            Builder b;
            b.keep();
            for (int k = 1; k <= 7; k += 2) {
                b.record({{Source::OptionValue, "optOut" + std::to_string(k)},
                          {Source::OptionValue, "optOut" + std::to_string(k + 1)}});
            }
            b.finish();
            return b.steps;
        }
        case 21:
            return loadCellWindow(true, newFirmware);
        case 22:
            return loadCellWindow(false, true);
        case 24:
            return plainWindow(PageUse::Both, true, 4, 6);
        case 26:
            return plainWindow(PageUse::FirstOnly, false, 4, 6, "mA");
        default:
            return {};
    }
}

std::vector<Step> NetworkSteps(int netType, const std::string& versionCaption) {
    Builder b;
    switch (netType) {
        case 0:
            b.record({{Source::TextIntegerOr0, "txtTimeout"}});
            break;
        case 1:
            b.record({{Source::Text, "txtSerial"},
                      {Source::ListIndex, "cmbStatus"},
                      {Source::TextInteger, "txtTimeout"}});
            break;
        case 2:
            b.record({{Source::ListIndex, "cmbMode"},
                      {Source::ListIndex, "cmbParity"},
                      {Source::TextInteger, "txtTimeout"}});
            break;
        case 3:
            b.record({{Source::TextInteger, "txtTimeout"}});
            break;
        case 4:
            b.record({{Source::TextInteger, "txtTimeout", 0}});
            b.series(Source::TextInteger, "txtIP", 0, 3);
            b.series(Source::TextInteger, "txtSNM", 0, 3);
            if (HasGateway(versionCaption)) b.series(Source::TextInteger, "txtDGW", 0, 3);
            b.series(Source::TextInteger, "txtPort", 1, 4);
            b.series(Source::TextInteger, "txtTimeout", 1, 4);
            break;
        case 5:
            b.record({{Source::TextInteger, "Text1"}, {Source::TextInteger, "Text2"}});
            break;
        case 6:
        case 7:
            b.record({{Source::TextInteger, "txtAve"}});
            b.record({{Source::SubModelNum, ""}});
            break;
        default:
            break;
    }
    return b.steps;
}

}  // namespace dunax::config_file
