// The encoder counter window's data check: every numeric setting of both channels against its
// range, in a fixed order. The first rule that fails leaves its number in DataErrorNo for the
// main window's message; a value that passes is rewritten in its shortest decimal form at once.
#include <cmath>
#include <initializer_list>
#include <optional>

#include "core/globals.h"
#include "core/text.h"
#include "modules/encoder_loadcell/frm_fe2.h"

namespace dunax::modules {

namespace {

// DataErrorNo by rule.
enum Rule : int {
    kNotNumeric = 1,
    kDropOut = 2,
    kMax = 3,
    kMin = 4,
    kMinBelowMax = 5,
    kResetValue = 6,
    kPositionSetpoint = 7,
    kPositionHys = 8,
    kFullScale = 9,
    kZeroScale = 10,
    kSpeedHys = 11,
    kSpeedSetpoint = 12,
    kBias = 13,
    kGain = 14,
};

// One run of the check: remembers the first failure.
class Check {
  public:
    bool failed() const { return failed_; }

    bool fail(int rule) {
        if (!failed_) core::g.DataErrorNo = rule;
        failed_ = true;
        return false;
    }

    // The box's value when ok(value) holds, rewritten; otherwise the check fails with rule
    // and the box stays as typed. A box that is not a number fails as a non-numeric entry
    // (this happens to boxes of a channel the numeric passes do not cover).
    template <class Ok>
    std::optional<double> test(platform::Control& box, int rule, Ok ok) {
        if (failed_) return std::nullopt;
        const auto v = core::ToDouble(box.text());
        if (!v) {
            fail(kNotNumeric);
            return std::nullopt;
        }
        if (!ok(*v)) {
            fail(rule);
            return std::nullopt;
        }
        box.setText(core::ShortestDecimal(*v));
        return v;
    }

    std::optional<double> within(platform::Control& box, double lo, double hi, int rule) {
        return test(box, rule, [lo, hi](double v) { return lo <= v && v <= hi; });
    }

    void numeric(std::initializer_list<platform::Control*> boxes) {
        for (platform::Control* b : boxes) {
            if (failed_) return;
            if (!core::IsNumeric(b->text())) fail(kNotNumeric);
        }
    }

  private:
    bool failed_ = false;
};

}  // namespace

bool FE2Window::CheckData() {
    Check c;
    const int n = ChannelsInUse();

    // Numeric texts, in two passes over the channels in use.
    for (int k = 0; k < n; ++k)
        c.numeric({&txtDO(k), &txtMin(k), &txtMax(k), &txtA1SM(k), &txtA1SH(k), &txtA2SH(k),
                   &txtA2SM(k)});
    for (int k = 0; k < n; ++k)
        c.numeric({&txtReset(k), &txtGain(k), &txtBias(k), &txtZS(k), &txtFS(k), &txtA1PM(k),
                   &txtA1PH(k), &txtA2PH(k), &txtA2PM(k)});
    // The entries that go to the unit as typed (alarm types, HLS command, latch/reset flags,
    // alarm timers, and the drop out of a channel beyond the unit's count) have no range here,
    // but they must be numbers: the download writes both channels, and a word or an empty box
    // would reach the unit as it stands.
    for (int k = 0; k < 2; ++k)
        c.numeric({&txtOP(k), &txtA1Type(k), &txtA2Type(k), &txtEL(k), &txtHL(k), &txtER(k),
                   &txtHR(k), &txtZR(k), &txtHLD(k), &txtHRD(k)});
    for (int k = n; k < 2; ++k) c.numeric({&txtDO(k)});
    c.numeric({&txtTM(0), &txtTM(1), &txtTM(2)});
    if (c.failed()) return false;

    for (int k = 0; k < n; ++k) c.within(txtDO(k), 0.1, 50, kDropOut);

    // From here on both channels, whatever the unit's channel count.
    std::optional<double> max[2], min[2];
    for (int k = 0; k < 2; ++k) max[k] = c.within(txtMax(k), -2099999999, 2100000000, kMax);
    for (int k = 0; k < 2; ++k) min[k] = c.within(txtMin(k), -2100000000, 2099999999, kMin);
    if (c.failed()) return false;
    for (int k = 0; k < 2; ++k) {
        if (!(*min[k] < *max[k])) return c.fail(kMinBelowMax);
    }
    for (int k = 0; k < 2; ++k) c.within(txtReset(k), *min[k], *max[k], kResetValue);
    for (int k = 0; k < 2; ++k) {
        c.within(txtA1PM(k), *min[k], *max[k], kPositionSetpoint);
        c.within(txtA2PM(k), *min[k], *max[k], kPositionSetpoint);
        // A hysteresis must stay below the span: 0 <= hys < |max - min|.
        const double span = std::fabs(*max[k] - *min[k]);
        for (auto* arr : {&txtA1PH, &txtA2PH})
            c.test((*arr)(k), kPositionHys, [span](double v) { return 0 <= v && v < span; });
    }
    for (int k = 0; k < 2; ++k) c.within(txtFS(k), -32000, 32000, kFullScale);
    for (int k = 0; k < 2; ++k) c.within(txtZS(k), -32000, 32000, kZeroScale);
    for (int k = 0; k < 2; ++k) c.within(txtBias(k), -320, 320, kBias);
    for (int k = 0; k < 2; ++k) c.within(txtGain(k), -3.2, 3.2, kGain);
    for (auto* box : {&txtA1SM(0), &txtA2SM(0), &txtA1SM(1), &txtA2SM(1)})
        c.within(*box, -15, 115, kSpeedSetpoint);
    for (auto* box : {&txtA1SH(0), &txtA1SH(1), &txtA2SH(0), &txtA2SH(1)})
        c.within(*box, 0, 115, kSpeedHys);
    return !c.failed();
}

}  // namespace dunax::modules
