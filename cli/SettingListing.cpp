#include "cli/SettingListing.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <ostream>
#include <span>
#include <string_view>

#include "app/NumberText.h"
#include "settings/AnalogOutputItems.h"
#include "settings/CodeTables.h"
#include "settings/HarmonicSaveItems.h"
#include "settings/SettingConversions.h"

namespace voltaro {

namespace {

// The entries of one of the window's lists or rows of check boxes: consecutive catalogue
// texts, the first one standing for the stored value `firstValue`.
struct ListTexts {
    int firstText;
    int count;
    int firstValue = 0;
};

constexpr ListTexts kWirings{2102, kWiringCount};
constexpr ListTexts kLoads{2111, 4, 1};
constexpr ListTexts kConnections{2116, kConnectCount};
constexpr ListTexts kURanges{2120, kURangeCount};
constexpr ListTexts kARanges{2126, kARangeCount - 1, 1};  // no list offers the range 0
constexpr ListTexts kClamps{2148, kClampCount};
constexpr ListTexts kVarMethods{2202, 2};
constexpr ListTexts kSamplings{2205, kSamplingCount};
constexpr ListTexts kFixClocks{2207, kFixClockCount};
constexpr ListTexts kSources{2210, kSourceCount};
constexpr ListTexts kFilters{2214, 2};
constexpr ListTexts kAverages{2217, kAverageCount};
constexpr ListTexts kWhDigits{2223, kWhDigitCount};
constexpr ListTexts kWhUnits{2230, kWhUnitCount};
constexpr ListTexts kThds{2238, kThdCount};
constexpr ListTexts kPhaseAngleMethods{2241, 2};
constexpr ListTexts kGraphOrders{2244, kGraphOrderCount};
constexpr ListTexts kStartMethods{2302, 3};
constexpr ListTexts kStopMethodPositions{2307, 3};
constexpr ListTexts kIntervals{2316, kIntervalCount};
constexpr ListTexts kMedia{2334, kMediaCount};
constexpr ListTexts kCopyMedia{2337, kCopyMediaCount};
constexpr ListTexts kLoadBoxes{2502, 4};  // also the current channels' row labels
constexpr ListTexts kElementBoxes{2506, 8};
constexpr ListTexts kItemBoxes{2514, 5};
constexpr ListTexts kOrderSelections{2520, kOrderSelCount};
constexpr ListTexts kRs232Connections{2602, 2};
constexpr ListTexts kBaudRates{2605, 6};
constexpr ListTexts kDataLengths{2612, 2};
constexpr ListTexts kStopBits{2619, 2};
constexpr ListTexts kFlows{2622, 4};
constexpr ListTexts kDetects{2702, 2};
constexpr ListTexts kStdVolts{2705, kStdVoltCount};
constexpr ListTexts kLanguages{2802, kLanguageCount};
constexpr ListTexts kBeeps{2809, 2};
constexpr ListTexts kBackLights{2812, 2};
constexpr ListTexts kContrasts{2815, 8, 1};
constexpr ListTexts kOutputChannels{2902, 4};
constexpr ListTexts kDaKinds{2907, 7};
constexpr ListTexts kDaMags{2917, kDaMagCount};
constexpr ListTexts kEnergyRates{2921, kDaRateCount};
constexpr ListTexts kReactiveEnergyRates{2928, kDaRateCount};
constexpr ListTexts kInputChannels{2936, 2};
constexpr ListTexts kAdRanges{2938, kAdRangeCount};
constexpr ListTexts kDaItems{3000, kDaItemCount};

// The parity list shows Even, Odd, None (ParityListPosition of the record's code).
constexpr ListTexts kParities{2615, 3};

constexpr int kFixSampling = 2206;
constexpr int kHours = 2312;
constexpr int kMinutes = 2313;
constexpr int kSeconds = 2314;
constexpr int kPercent = 2727;
constexpr std::string_view kNoneTicked = "OFF";

std::string twoDigits(int value) { return FormatZeroPadded(value, 2); }

// "2026/12/06 09:30": the start and stop instants without their seconds, which a setting
// file does not keep.
std::string calendarMinute(const std::array<std::int16_t, 6>& time) {
    return std::to_string(time[0]) + '/' + twoDigits(time[1]) + '/' + twoDigits(time[2]) + ' ' + twoDigits(time[3]) +
           ':' + twoDigits(time[4]);
}

// A window label without its access-key mark and closing colon: "Clam&p type:" reads
// "Clamp type".
std::string plainLabel(std::string_view label) {
    std::string plain;
    for (char c : label)
        if (c != '&') plain += c;
    while (!plain.empty() && (plain.back() == ':' || plain.back() == ' ')) plain.pop_back();
    return plain;
}

class Listing {
public:
    explicit Listing(const Catalogue& catalogue) : catalogue_(catalogue) {}

    void add(int label, std::string value) { items_.push_back({text(label), std::move(value)}); }
    // An item of a row or a group, such as a current channel's: "A range (Load2)".
    void add(int label, int qualifier, std::string value) {
        items_.push_back({text(label) + " (" + text(qualifier) + ')', std::move(value)});
    }

    std::string text(int id) const { return plainLabel(catalogue_.text(id)); }
    std::string entry(const ListTexts& list, int value) const {
        const int position = value - list.firstValue;
        if (position < 0 || position >= list.count) return std::to_string(value);
        return catalogue_.text(list.firstText + position);
    }
    // The labels of the ticked boxes of a row.
    std::string ticked(const ListTexts& boxes, std::span<const std::int16_t> flags) const {
        std::string names;
        for (std::size_t i = 0; i < flags.size(); ++i)
            if (flags[i] != 0) names += (names.empty() ? "" : " ") + entry(boxes, static_cast<int>(i));
        return names.empty() ? std::string(kNoneTicked) : names;
    }

    std::vector<ListedItem> take() { return std::move(items_); }

private:
    const Catalogue& catalogue_;
    std::vector<ListedItem> items_;
};

std::string aRangeText(const Listing& listing, std::int16_t aRange) {
    // The smallest range exists only as the meter's own spelling.
    return aRange == 0 ? IndexToARange(aRange) : listing.entry(kARanges, aRange);
}

std::string onOff(std::int16_t flag) { return flag == 0 || flag == 1 ? IndexToOnOff(flag) : std::to_string(flag); }

void listGeneralPages(Listing& l, const SettingRecord& r) {
    l.add(2101, l.entry(kWirings, r.Wiring));
    l.add(2110, l.entry(kLoads, r.Load));
    l.add(2115, l.entry(kConnections, r.Connect1P));
    l.add(2119, l.entry(kURanges, r.URange));
    l.add(2124, FormatRatio(r.Vt));
    for (int ch = 0; ch < 4; ++ch) {
        const int row = kLoadBoxes.firstText + ch;
        l.add(2125, row, aRangeText(l, r.ARange[ch]));
        l.add(2146, row, FormatRatio(r.Ct[ch]));
        l.add(2147, row, l.entry(kClamps, r.Clamp[ch]));
    }
    l.add(2201, l.entry(kVarMethods, r.VarMethod));
    l.add(2204, l.entry(kSamplings, r.Sampling));
    l.add(2204, kFixSampling, l.entry(kFixClocks, r.FixClock));
    l.add(2209, l.entry(kSources, r.Source));
    l.add(2213, l.entry(kFilters, r.Filter));
    l.add(2216, l.entry(kAverages, r.Average));
    l.add(2222, l.entry(kWhDigits, r.TotalWhDigit));
    l.add(2229, 2222, l.entry(kWhUnits, r.TotalWhUnit));
    l.add(2235, l.entry(kWhDigits, r.IntervalWhDigit));
    l.add(2236, 2235, l.entry(kWhUnits, r.IntervalWhUnit));
    l.add(2237, l.entry(kThds, r.Thd));
    l.add(2240, l.entry(kPhaseAngleMethods, r.HrmPA));
    l.add(2243, l.entry(kGraphOrders, r.GraphOrder));
}

void listSavePages(Listing& l, const SettingRecord& r) {
    l.add(2301, l.entry(kStartMethods, r.StartMethod));
    l.add(2305, calendarMinute(r.StartTime));
    l.add(2306, l.entry(kStopMethodPositions, StopMethodListPosition(r.StopMethod)));
    l.add(2310, calendarMinute(r.StopTime));
    l.add(2311, std::to_string(r.StopTimer[0]) + ' ' + l.text(kHours) + ' ' + std::to_string(r.StopTimer[1]) + ' ' +
                    l.text(kMinutes) + ' ' + std::to_string(r.StopTimer[2]) + ' ' + l.text(kSeconds));
    l.add(2315, l.entry(kIntervals, r.Interval));
    l.add(2333, l.entry(kMedia, r.DOut));
    l.add(2336, l.entry(kCopyMedia, r.Copy));
    l.add(2340, r.FileName);
    const std::int16_t saved[] = {r.SaveWh, r.SaveWave, r.SaveNormal, r.SaveHrm,
                                  r.SaveInstant, r.SaveAve, r.SaveMax, r.SaveMin};
    for (std::size_t box = 0; box < std::size(saved); ++box) l.add(2401 + static_cast<int>(box), onOff(saved[box]));
}

void listHarmonicPage(Listing& l, const SettingRecord& r) {
    l.add(2501, 2524, l.ticked(kLoadBoxes, r.SaveHrmLoad));
    l.add(2501, 2525, l.ticked(kElementBoxes, r.SaveHrmCh));
    l.add(2501, 2528, l.ticked(kItemBoxes, r.SaveHrmItem));
    // The orders themselves count only when the user selects them.
    std::string selection = l.entry(kOrderSelections, r.SaveHrmOrdSel);
    if (r.SaveHrmOrdSel == order_selection::Select) {
        std::string orders;
        for (std::size_t k = 0; k < r.SaveHrmOrder.size(); ++k)
            if (r.SaveHrmOrder[k] != 0) orders += ' ' + std::to_string(k + 1);
        selection += ':' + (orders.empty() ? ' ' + std::string(kNoneTicked) : orders);
    }
    l.add(2519, selection);
}

void listCommunicationPage(Listing& l, const SettingRecord& r) {
    l.add(2601, l.entry(kRs232Connections, r.Rs232Connect));
    l.add(2604, l.entry(kBaudRates, r.Rs232Baud));
    l.add(2611, l.entry(kDataLengths, r.Rs232DataLen));
    const int parity = ParityListPosition(r.Rs232Parity);
    l.add(2614, parity >= 0 ? l.entry(kParities, parity) : std::to_string(r.Rs232Parity));
    l.add(2618, l.entry(kStopBits, r.Rs232StopBit));
    l.add(2621, l.entry(kFlows, r.Rs232Flow));
}

void listVoltageQualityAndHardwarePages(Listing& l, const SettingRecord& r) {
    l.add(2701, l.entry(kDetects, r.Detect));
    l.add(2704, l.entry(kStdVolts, r.StdVolt));
    const std::string percent = l.text(kPercent);
    l.add(2723, std::to_string(r.Swell) + percent);
    l.add(2724, std::to_string(r.Dip) + percent);
    l.add(2725, std::to_string(r.Interruption) + percent);
    l.add(2726, std::to_string(r.Hysteresis) + percent);
    l.add(2801, l.entry(kLanguages, r.Language));
    l.add(2808, l.entry(kBeeps, r.Beep));
    l.add(2811, l.entry(kBackLights, r.BackLight));
    l.add(2814, l.entry(kContrasts, r.Contrast));
    l.add(2823, FormatZeroPadded(r.Id, 3));
}

void listAnalogPage(Listing& l, const SettingRecord& r) {
    for (int ch = 0; ch < 4; ++ch) {
        const int channel = kOutputChannels.firstText + ch;
        l.add(2906, channel, l.entry(kDaKinds, r.DaKind[ch]));
        l.add(2914, channel, l.entry(kDaItems, r.DaItem[ch]));
        l.add(2915, channel, std::to_string(r.DaOrder[ch]));
        l.add(2916, channel, l.entry(kDaMags, r.DaMag[ch]));
        const bool reactive = IsReactiveEnergyItem(r.DaItem[ch]);
        l.add(2920, channel, l.entry(reactive ? kReactiveEnergyRates : kEnergyRates, r.DaRate[ch]));
    }
    for (int ch = 0; ch < 2; ++ch) l.add(2935, kInputChannels.firstText + ch, l.entry(kAdRanges, r.AdRange[ch]));
}

}  // namespace

std::vector<ListedItem> ListSetting(const SettingRecord& record, const Catalogue& catalogue) {
    Listing listing(catalogue);
    listGeneralPages(listing, record);
    listSavePages(listing, record);
    listHarmonicPage(listing, record);
    listCommunicationPage(listing, record);
    listVoltageQualityAndHardwarePages(listing, record);
    listAnalogPage(listing, record);
    return listing.take();
}

void PrintListedItems(std::ostream& out, const std::vector<ListedItem>& items) {
    std::size_t width = 0;
    for (const ListedItem& item : items) width = std::max(width, item.label.size());
    for (const ListedItem& item : items) {
        out << item.label << std::string(width - item.label.size() + 2, ' ') << item.value << '\n';
    }
    out.flush();
}

}  // namespace voltaro
