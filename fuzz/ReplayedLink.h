// The PC's end of a line to a meter whose every reply byte comes from the fuzzer: the
// whole input has arrived before the first command, so each reply line the PC waits for
// is the next line of it, and once it runs out the time-outs pass in simulated time.
#pragma once

#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "fuzz/FuzzWorkspace.h"
#include "link/Link.h"
#include "support/ManualClock.h"
#include "support/ScriptedPort.h"

namespace voltaro::fuzz {

struct ReplayedLink {
    explicit ReplayedLink(std::string_view replies) { port.arrive(std::string(replies)); }
    // The port and the link hold on to the members beside them.
    ReplayedLink(const ReplayedLink&) = delete;
    ReplayedLink& operator=(const ReplayedLink&) = delete;

    SilentMessages messages;
    FixedClock wallClock;
    AppContext ctx{messages, wallClock};
    test::ManualClock clock;
    test::ScriptedPort port{clock};
    Link link{ctx, port, clock};
};

}  // namespace voltaro::fuzz
