#include "settings/SettingCompare.h"

#include <algorithm>
#include <cstddef>

#include "settings/CodeTables.h"

namespace voltaro {

namespace {

using Int16 = std::int16_t;
using R = SettingRecord;

constexpr int kChannels = 4;
constexpr Int16 kCopyToPrinter = 2;
constexpr Int16 kOwnOrderSelection = 3;

// Keeps the code of the first comparison that fails.
class FirstDifference {
public:
    FirstDifference(const R& sent, const R& readBack) : a_(sent), b_(readBack) {}

    template <typename Field>
    void field(Field R::*member, Int16 code) {
        note(a_.*member == b_.*member, code);
    }
    template <typename Field>
    void element(Field R::*member, int index, Int16 code) {
        note((a_.*member)[index] == (b_.*member)[index], code);
    }
    // Elements [first, first + count) of an array field, as one item.
    template <typename Field>
    void elements(Field R::*member, int first, int count, Int16 code) {
        const auto a = std::begin(a_.*member) + first;
        note(std::equal(a, a + count, std::begin(b_.*member) + first), code);
    }
    Int16 code() const { return code_; }

private:
    void note(bool same, Int16 code) {
        if (code_ == 0 && !same) code_ = code;
    }

    const R& a_;
    const R& b_;
    Int16 code_ = 0;
};

}  // namespace

std::int16_t CompareSetting(const SettingRecord& sent, const SettingRecord& readBack, const SettingRecord& previous,
                            bool pcTime) {
    FirstDifference d(sent, readBack);
    d.field(&R::Wiring, 400);
    d.field(&R::Load, 401);
    d.field(&R::Connect1P, 402);
    d.field(&R::URange, 403);
    d.field(&R::Vt, 404);
    for (int n = 0; n < kChannels; ++n) {
        d.element(&R::ARange, n, 405);
        d.element(&R::Ct, n, 406);
        d.element(&R::Clamp, n, 407);
    }
    d.field(&R::VarMethod, 408);
    d.field(&R::Sampling, 409);
    d.field(&R::FixClock, 410);
    d.field(&R::Source, 411);
    d.field(&R::Filter, 412);
    d.field(&R::Average, 413);
    d.field(&R::TotalWhDigit, 414);
    d.field(&R::TotalWhUnit, 415);
    d.field(&R::IntervalWhDigit, 416);
    d.field(&R::IntervalWhUnit, 417);
    d.field(&R::Thd, 418);
    d.field(&R::HrmPA, 419);
    d.field(&R::GraphOrder, 420);
    d.field(&R::StartMethod, 421);
    // Date, then hour and minute: the meter is neither told nor asked the seconds.
    if (previous.StartMethod == method_code::Time) {
        d.elements(&R::StartTime, 0, 3, 422);
        d.elements(&R::StartTime, 3, 2, 423);
    }
    d.field(&R::StopMethod, 424);
    if (previous.StopMethod == method_code::Time) {
        d.elements(&R::StopTime, 0, 3, 425);
        d.elements(&R::StopTime, 3, 2, 426);
    } else if (previous.StopMethod == method_code::Timer) {
        d.field(&R::StopTimer, 427);
    }
    d.field(&R::Interval, 428);
    d.field(&R::DOut, 429);
    if (previous.Copy != kCopyToPrinter) d.field(&R::Copy, 430);
    d.field(&R::FileName, 431);
    d.field(&R::SaveWh, 434);
    d.field(&R::SaveWave, 435);
    d.field(&R::SaveNormal, 433);
    d.field(&R::SaveHrm, 436);
    d.field(&R::SaveInstant, 439);
    d.field(&R::SaveAve, 440);
    d.field(&R::SaveMax, 441);
    d.field(&R::SaveMin, 442);
    d.field(&R::SaveHrmLoad, 444);
    d.field(&R::SaveHrmCh, 446);
    d.field(&R::SaveHrmItem, 437);
    d.field(&R::SaveHrmOrdSel, 448);
    if (previous.SaveHrmOrdSel == kOwnOrderSelection) d.field(&R::SaveHrmOrder, 449);
    // Never sent nor read back: the read-back holds the previous value, so a change
    // here always shows as a failure.
    d.field(&R::Rs232Connect, 450);
    d.field(&R::Detect, 456);
    d.field(&R::StdVolt, 457);
    d.field(&R::Swell, 458);
    d.field(&R::Dip, 459);
    d.field(&R::Interruption, 460);
    d.field(&R::Hysteresis, 461);
    d.field(&R::Language, 462);
    d.field(&R::Beep, 463);
    d.field(&R::Contrast, 465);
    d.field(&R::Id, 466);
    if (!pcTime) d.field(&R::SysDate, 473);
    for (int n = 0; n < kChannels; ++n) {
        d.element(&R::DaKind, n, 467);
        d.element(&R::DaItem, n, 468);
        d.element(&R::DaOrder, n, 469);
        d.element(&R::DaMag, n, 470);
        d.element(&R::DaRate, n, 471);
    }
    d.field(&R::AdRange, 472);
    return d.code();
}

}  // namespace voltaro
