#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace voltaro::sim {

// How the simulated meter departs from a healthy one. The defaults are a healthy meter;
// each field can be set from a test or from the simulator's command line.
struct MeterFaults {
    // Commands the meter does not answer, each named by its keyword (":LANG?") or by the
    // whole line (":CARD:DIRE? SET").
    std::vector<std::string> silentOn;
    // Commands the meter answers with line noise instead of its reply, named like `silentOn`.
    std::vector<std::string> garbleOn;
    // Replies leave in pieces of this many bytes (0: whole), `splitGap` apart.
    std::size_t splitBytes = 0;
    std::chrono::milliseconds splitGap{0};
    // What the identification reply names.
    std::string model = "ZR915";
    std::string version = "1.05";
    // The screen the meter shows when it starts.
    std::string screen = "MEAS";
    bool measuring = false;
    bool hold = false;
    // The error status reads "200": the meter refuses setting commands.
    bool refuseSettings = false;
    // The setting screen comes on the n-th ":DISP:MODE SET" in a row; never when empty.
    std::optional<int> settingScreenAfter = 1;
    // Set commands the meter takes without applying them, named like `silentOn`.
    std::vector<std::string> ignoreSet;
    bool cardNotReady = false;
    // Replies leave at this line rate, 10 bits a byte (0: at once).
    int baud = 0;
    // A file transfer breaks off after this many bytes of its reply.
    std::optional<std::size_t> stopTransferAfter;
    // The directory lists every file this many bytes longer (negative: shorter) than it sends it.
    long long directorySizeError = 0;
};

}  // namespace voltaro::sim
