#include "app/ParameterFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <limits>
#include <type_traits>

#include "app/AtomicFile.h"
#include "app/DefaultSettings.h"
#include "app/ErrorReporting.h"
#include "app/InputFile.h"
#include "app/SettingRecordFields.h"

namespace voltaro {

namespace {

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4);

// The longest image the writer makes, every text at its longest, stays far below this; a longer
// file is no Parameter file of ours and is refused rather than read.
constexpr std::size_t kMaxImageBytes = 1 << 20;
constexpr std::size_t kMaxTextBytes = std::numeric_limits<std::int16_t>::max();

template <typename Int>
void putLittleEndian(std::string& out, Int value) {
    auto bits = static_cast<std::make_unsigned_t<Int>>(value);
    for (std::size_t i = 0; i < sizeof(Int); ++i) {
        out += static_cast<char>(bits & 0xFFu);
        bits = static_cast<decltype(bits)>(bits >> 8);
    }
}

struct ImageWriter {
    std::string& out;

    void operator()(std::int16_t value) { putLittleEndian(out, value); }
    void operator()(std::int32_t value) { putLittleEndian(out, value); }
    void operator()(float value) { putLittleEndian(out, std::bit_cast<std::uint32_t>(value)); }
    void operator()(const std::string& text) {
        // A longer text cannot be described by the 16-bit length; no path or name gets there.
        const std::size_t length = std::min(text.size(), kMaxTextBytes);
        putLittleEndian(out, static_cast<std::int16_t>(length));
        out.append(text, 0, length);
    }
    template <typename T, std::size_t N>
    void operator()(const std::array<T, N>& values) {
        for (const T& value : values) (*this)(value);
    }
};

// Reads fields until the image runs out or turns out damaged; from then on every
// field is left as it is (zero or empty in a fresh record).
struct ImageReader {
    std::string_view in;
    bool intact = true;

    template <typename Int>
    bool take(Int& value) {
        if (!intact || in.size() < sizeof(Int)) {
            intact = false;
            return false;
        }
        std::make_unsigned_t<Int> bits = 0;
        for (std::size_t i = sizeof(Int); i-- > 0;)
            bits = static_cast<decltype(bits)>((bits << 8) | static_cast<unsigned char>(in[i]));
        value = static_cast<Int>(bits);
        in.remove_prefix(sizeof(Int));
        return true;
    }

    void operator()(std::int16_t& value) { take(value); }
    void operator()(std::int32_t& value) { take(value); }
    void operator()(float& value) {
        std::uint32_t bits = 0;
        if (take(bits)) value = std::bit_cast<float>(bits);
    }
    void operator()(std::string& text) {
        std::int16_t length = 0;
        if (!take(length)) return;
        if (length < 0 || static_cast<std::size_t>(length) > in.size()) {
            intact = false;
            return;
        }
        text.assign(in.substr(0, static_cast<std::size_t>(length)));
        in.remove_prefix(static_cast<std::size_t>(length));
    }
    template <typename T, std::size_t N>
    void operator()(std::array<T, N>& values) {
        for (T& value : values) (*this)(value);
    }
};

// PC-side values with a fixed set of choices; anything else falls back to the factory value.
struct PcChoice {
    std::int16_t& (*field)(PcSettings&);
    std::int16_t lowest;
    std::int16_t highest;
};

constexpr std::array<PcChoice, 9> kPcChoices{{
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcComPort; }, 1, 10},
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcBaud; }, 0, 5},
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcDataBits; }, 7, 8},
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcParity; }, 0, 2},
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcStopBits; }, 1, 2},
    {[](PcSettings& p) -> std::int16_t& { return p.CommPort.PcFlow; }, 0, 3},
    {[](PcSettings& p) -> std::int16_t& { return p.TransSaveData; }, 0, 1},
    {[](PcSettings& p) -> std::int16_t& { return p.TransExcel; }, 0, 1},
    {[](PcSettings& p) -> std::int16_t& { return p.TransMedia; }, 0, 1},
}};

void fallBackToFactoryChoices(PcSettings& pc, const std::string& appPath) {
    PcSettings factory = FactoryPcSettings(appPath);
    for (const PcChoice& choice : kPcChoices) {
        std::int16_t& value = choice.field(pc);
        if (value < choice.lowest || value > choice.highest) value = choice.field(factory);
    }
}

std::int16_t readParameterFile(AppContext& ctx) {
    std::string image;
    std::string error;
    if (!ReadSmallRegularFile(ctx.AppPath + kParameterFileName, kMaxImageBytes, image, error)) {
        // Only a file that is not there means "first run"; any other failure leaves the record alone.
        if (errno == ENOENT) {
            SetDefaultSettings(ctx);
            return 0;
        }
        ReportSystemError(ctx, error);
        return kAlreadyReported;
    }
    ctx.CurrentSetting = DecodeParameterImage(image);
    fallBackToFactoryChoices(ctx.CurrentSetting.Pc, ctx.AppPath);
    return 0;
}

std::int16_t writeParameterFile(AppContext& ctx) {
    std::string error;
    if (WriteFileAtomically(ctx.AppPath + kParameterFileName, EncodeParameterImage(ctx.CurrentSetting), error))
        return 0;
    ReportSystemError(ctx, error);
    return kAlreadyReported;
}

}  // namespace

std::string EncodeParameterImage(const SettingRecord& record) {
    std::string image;
    ForEachStoredField(record, ImageWriter{image});
    return image;
}

SettingRecord DecodeParameterImage(std::string_view image) {
    SettingRecord record;
    ForEachStoredField(record, ImageReader{image});
    return record;
}

std::int16_t AccessParameterFile(AppContext& ctx, std::int16_t mode) {
    if (mode == kParameterWrite) return writeParameterFile(ctx);
    RemoveLeftoverTemporaryFiles(ctx.AppPath + kParameterFileName);
    return readParameterFile(ctx);
}

}  // namespace voltaro
