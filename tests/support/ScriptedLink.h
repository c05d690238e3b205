#pragma once

#include "app/AppContext.h"
#include "link/Link.h"
#include "support/FixedClock.h"
#include "support/ManualClock.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedPort.h"

namespace voltaro::test {

// The PC's end of a line to a scripted meter, in simulated time: a context on a fixed day
// whose boxes are recorded, and a link over the scripted port.
struct ScriptedLink {
    ScriptedLink() = default;
    // The port and the link hold on to the members beside them.
    ScriptedLink(const ScriptedLink&) = delete;
    ScriptedLink& operator=(const ScriptedLink&) = delete;

    std::vector<std::string> texts() const { return messages.texts(); }

    RecordingMessages messages;
    FixedClock wallClock{{2026, 3, 4, 5, 6, 7}};
    AppContext ctx{messages, wallClock};
    ManualClock clock;
    ScriptedPort port{clock};
    Link link{ctx, port, clock};
};

}  // namespace voltaro::test
