#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/SettingRecord.h"
#include "app/WallClock.h"
#include "link/MonotonicClock.h"
#include "sim/MeterFaults.h"
#include "sim/MeterMedium.h"
#include "sim/MeterSettings.h"
#include "sim/PacedOutput.h"

namespace voltaro::sim {

// The folders whose files the meter holds; a missing folder is an empty medium.
struct MeterFolders {
    std::filesystem::path card;
    std::filesystem::path memory;
};

// The meter as the PC sees it over the serial line: command lines (ending in CR LF) go
// in, reply bytes come out. A set command gives no reply, a query one line ending in
// CR LF (a file transfer gives the framed file); a command the meter does not know is
// ignored. Time is passed in, so replies can be paced and split in simulated time.
class MeterModel {
public:
    using TimePoint = MonotonicClock::TimePoint;

    // A fixed day, so that a test sees the same setting on every run.
    static constexpr LocalDateTime kDefaultClock{2024, 4, 1, 9, 0, 0};

    // `clock` is the meter's own date and time when it starts.
    explicit MeterModel(MeterFolders folders = {}, MeterFaults faults = {}, const LocalDateTime& clock = kDefaultClock);

    // Called with every command line received, without its line end.
    void setCommandObserver(std::function<void(std::string_view line)> observer) { observer_ = std::move(observer); }

    void receive(std::string_view bytes, TimePoint now);
    // Reply bytes that have arrived at the PC's end by `now` and not been taken yet.
    std::size_t available(TimePoint now) const { return output_.available(now); }
    std::size_t take(char* destination, std::size_t capacity, TimePoint now) {
        return output_.take(destination, capacity, now);
    }
    // When the next reply byte arrives (perhaps already); empty when nothing is on its way.
    std::optional<TimePoint> nextOutputTime() const { return output_.nextByteTime(); }

private:
    void handle(std::string_view line, TimePoint now);
    std::optional<std::string> answer(std::string_view keyword, std::string_view argument) const;
    void apply(std::string_view keyword, std::string_view argument);
    void switchScreen(std::string_view word);
    void sendReply(std::string bytes, TimePoint now);

    MeterFaults faults_;
    MeterMedium card_;
    MeterMedium memory_;
    SettingRecord factory_;  // the PC's factory setting, in English; a reset returns to it
    MeterSettings settings_;
    PacedOutput output_;
    std::function<void(std::string_view)> observer_;

    std::string input_;  // the command line still arriving
    bool headers_ = true;
    std::string screen_;
    int setScreenTries_ = 0;  // ":DISP:MODE SET" in a row that did not take
};

}  // namespace voltaro::sim
