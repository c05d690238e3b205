// The simulated meter's replies on the raw line: what every test against the meter relies on.
#include "sim/MeterModel.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>

#include "sim/InMemorySerialPort.h"
#include "support/ManualClock.h"

namespace voltaro {
namespace {

using namespace std::chrono_literals;

// The factory setting in the meter's spellings; a reset restores the factory setting but keeps
// the language, the ID and the clock. Replies come without headers, as in every exchange.
TEST(MeterModel, AnswersInTheMeterSpellingsAndAResetKeepsLanguageIdAndClock) {
    const std::pair<const char*, const char*> rows[] = {
        {":AOUT:CH3?", "1,0,P,1,1,1K\r\n"},
        {":WIRI 3P4W\r\n:LANG GERMAN\r\n:ID 7\r\n:SYST:DATE 2030,2,3\r\n:RESE\r\n:WIRI?\r\n:LANG?\r\n:ID?\r\n"
         ":SYST:DATE?",
         "3P3W2I\r\nGERMAN\r\n7\r\n2030,2,3\r\n"},
    };
    for (const auto& [commands, reply] : rows) {
        test::ManualClock clock;
        sim::MeterModel meter({}, {});
        sim::InMemorySerialPort port{meter, clock};
        std::string error;
        port.open({}, error);
        port.write(":COMM:HEAD OFF\r\n" + std::string(commands) + "\r\n", 1s);
        std::string received;
        std::array<char, 256> chunk;
        do
            while (const std::size_t got = port.read(chunk.data(), chunk.size())) received.append(chunk.data(), got);
        while (port.waitForInput(5s));
        EXPECT_EQ(received, reply) << commands;
    }
}

}  // namespace
}  // namespace voltaro
