#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <type_traits>

#include "app/DefaultSettings.h"
#include "app/ParameterFile.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/TemporaryFolder.h"

namespace voltaro {
namespace {

// Gives every field a value of its own and writes the bytes the file must hold for it.
// With a limit, values that would not fit wholly below it are left untouched, the way a
// file cut short leaves them.
struct GoldenImage {
    SettingRecord record;
    std::string bytes;
    int next = 1;
    std::size_t limit = std::string::npos;

    template <typename T>
    void store(T& field, T value, const std::string& encoded) {
        if (bytes.size() + encoded.size() > limit) {
            limit = bytes.size();  // nothing after this either
            return;
        }
        field = value;
        bytes += encoded;
    }
    template <typename Int>
    static std::string encode(Int value) {
        std::string out;
        auto bits = static_cast<std::make_unsigned_t<Int>>(value);
        for (std::size_t i = 0; i < sizeof(Int); ++i, bits = static_cast<decltype(bits)>(bits >> 8))
            out += static_cast<char>(bits & 0xFF);
        return out;
    }
    template <typename Int>
        requires std::is_integral_v<Int>
    void fill(Int& v) {
        const auto value = static_cast<Int>(-next++ * (sizeof(Int) == 2 ? 257 : 70000));
        store(v, value, encode(value));
    }
    void fill(float& v) {
        const float value = 0.25f + static_cast<float>(next++);
        store(v, value, encode(std::bit_cast<std::uint32_t>(value)));
    }
    void fill(std::string& v) {
        const std::string value = "text " + std::to_string(next++);
        store(v, value, encode(static_cast<std::int16_t>(value.size())) + value);
    }
    template <typename T, std::size_t N>
    void fill(std::array<T, N>& values) {
        for (T& value : values) fill(value);
    }
};

#define FIELD(member) [](GoldenImage& g) { g.fill(g.record.member); }
using Filler = void (*)(GoldenImage&);

// The file's field order, written down independently of the code that stores it.
const Filler kFileOrder[] = {
    FIELD(Version), FIELD(Wiring), FIELD(Load), FIELD(Connect1P), FIELD(URange), FIELD(ARange), FIELD(Vt),
    FIELD(Ct), FIELD(Clamp), FIELD(VarMethod), FIELD(Sampling), FIELD(FixClock), FIELD(Source), FIELD(Filter),
    FIELD(Average), FIELD(TotalWhDigit), FIELD(TotalWhUnit), FIELD(IntervalWhDigit), FIELD(IntervalWhUnit),
    FIELD(Thd), FIELD(HrmPA), FIELD(GraphOrder), FIELD(StartMethod), FIELD(StartTime), FIELD(StopMethod),
    FIELD(StopTime), FIELD(StopTimer), FIELD(Interval), FIELD(DOut), FIELD(Copy), FIELD(FileName),
    FIELD(SaveNormal), FIELD(SaveWh), FIELD(SaveHrm), FIELD(SaveWave), FIELD(SaveInstant), FIELD(SaveAve),
    FIELD(SaveMax), FIELD(SaveMin), FIELD(SaveHrmLoad), FIELD(SaveHrmCh), FIELD(SaveHrmItem),
    FIELD(SaveHrmOrdSel), FIELD(SaveHrmOrder), FIELD(Rs232Connect), FIELD(Rs232Baud), FIELD(Rs232DataLen),
    FIELD(Rs232Parity), FIELD(Rs232StopBit), FIELD(Rs232Flow), FIELD(Detect), FIELD(StdVolt), FIELD(Swell),
    FIELD(Dip), FIELD(Interruption), FIELD(Hysteresis), FIELD(Language), FIELD(Beep), FIELD(BackLight),
    FIELD(Contrast), FIELD(Id), FIELD(SysDate), FIELD(SysTime), FIELD(DaKind), FIELD(DaItem), FIELD(DaOrder),
    FIELD(DaMag), FIELD(DaRate), FIELD(AdRange),
    // PC side
    FIELD(Pc.CommPort.PcComPort), FIELD(Pc.CommPort.PcBaud), FIELD(Pc.CommPort.PcDataBits),
    FIELD(Pc.CommPort.PcParity), FIELD(Pc.CommPort.PcStopBits), FIELD(Pc.CommPort.PcFlow),
    FIELD(Pc.TransSaveData), FIELD(Pc.TransSavePath), FIELD(Pc.TransExcel), FIELD(Pc.TransMedia),
    FIELD(Pc.ConvInputPath), FIELD(Pc.ConvOutputPath), FIELD(Pc.DivideInputFile), FIELD(Pc.DivideOutputPath),
    FIELD(Pc.DivideMode), FIELD(Pc.DivideRows), FIELD(Pc.DivideCols), FIELD(Pc.PcPortName),
};

GoldenImage goldenRecord(std::size_t limit = std::string::npos) {
    GoldenImage golden;
    golden.limit = limit;
    for (Filler fill : kFileOrder) fill(golden);
    return golden;
}

TEST(ParameterImage, HoldsEveryFieldInOrderAndACutImageTheFieldsItHoldsWhole) {
    static_assert(std::size(kFileOrder) == 69 + 18);
    const GoldenImage golden = goldenRecord();
    EXPECT_EQ(EncodeParameterImage(golden.record), golden.bytes);
    // Cut after every possible byte: each value is either complete or zero/empty.
    for (std::size_t length = 0; length <= golden.bytes.size(); ++length) {
        const SettingRecord read = DecodeParameterImage(std::string_view(golden.bytes).substr(0, length));
        ASSERT_EQ(read, goldenRecord(length).record) << "cut at " << length;
    }
    // A damaged text length stops the read there.
    for (const char* length : {"\xFF\xFF", "\x00\x80"})
        EXPECT_EQ(DecodeParameterImage(std::string(length, 2) + golden.bytes.substr(2)), SettingRecord{});
}

// An application folder of its own, read and written through the context.
struct ParameterFile : ::testing::Test {
    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 5, 17, 9, 41, 12}};
    AppContext ctx{messages, clock};
    test::TemporaryFolder folder;

    ParameterFile() { ctx.AppPath = folder.withSeparator(); }
};

// The first run finds no file: the factory setting, and no file until there is something to keep.
// A file larger than any record is refused unread, and the record stays as it was.
TEST_F(ParameterFile, AMissingFileGivesTheDefaultsAndAHugeOneIsRefused) {
    ctx.CurrentSetting.Wiring = 6;
    EXPECT_EQ(AccessParameterFile(ctx, kParameterRead), 0);
    EXPECT_EQ(ctx.CurrentSetting, FactorySettings(clock.time, ctx.AppPath, 1));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Parameter"));
    EXPECT_TRUE(messages.boxes.empty());
    const std::string path = folder.write("Parameter", std::string((1 << 20) + 1, '\x7F'));
    EXPECT_EQ(AccessParameterFile(ctx, kParameterRead), -1);
    EXPECT_EQ(ctx.CurrentSetting, FactorySettings(clock.time, ctx.AppPath, 1));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{path + ": File too large"});
}

// Choices the PC side stores beyond their lists (an edited or foreign file) fall back to their
// factory values; the meter's items are left to the setting check.
TEST_F(ParameterFile, PcChoicesOutsideTheirListsFallBackToTheirDefaults) {
    SettingRecord stored = FactorySettings(clock.time, ctx.AppPath, 1);
    stored.Wiring = 9;
    stored.Pc.CommPort = {11, 6, 9, 3, 3, 4};
    stored.Pc.TransSaveData = 2;
    stored.Pc.TransExcel = -1;
    stored.Pc.TransMedia = 2;
    std::ofstream(folder.path() / "Parameter", std::ios::binary) << EncodeParameterImage(stored);
    EXPECT_EQ(AccessParameterFile(ctx, kParameterRead), 0);
    const PcSettings& pc = ctx.CurrentSetting.Pc;
    EXPECT_EQ(pc.CommPort, (CommPortSetting{1, 3, 8, 2, 1, 0}));
    EXPECT_EQ(pc.TransSaveData, 1);
    EXPECT_EQ(pc.TransExcel, 0);
    EXPECT_EQ(pc.TransMedia, 0);
    EXPECT_EQ(ctx.CurrentSetting.Wiring, 9);
}

// What killed writes of the file left beside it goes at the next read: only the file's own
// temporary names, and only those old enough not to be another instance's write.
TEST_F(ParameterFile, ReadingRemovesTheTemporaryFilesOfInterruptedWrites) {
    namespace fs = std::filesystem;
    const auto twoMinutesAgo = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const char* name : {"Parameter.Ab3dE9", "Parameter.Ab3dE", "Parameter.Ab3-E9", "Parameter.Ab3dE9x",
                             "Other.Ab3dE9", "Parameter.young1"}) {
        folder.write(name, "left");
        if (std::string_view(name) != "Parameter.young1") fs::last_write_time(folder.path() / name, twoMinutesAgo);
    }
    AccessParameterFile(ctx, kParameterRead);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"Other.Ab3dE9", "Parameter.Ab3-E9", "Parameter.Ab3dE",
                                                        "Parameter.Ab3dE9x", "Parameter.young1"}));
}

}  // namespace
}  // namespace voltaro
