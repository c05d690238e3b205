#include "convert/DataFileConverter.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "app/AppPath.h"
#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "app/TextTools.h"
#include "convert/ValueText.h"
#include "settings/CodeTables.h"

namespace voltaro {

namespace {

constexpr int kNotDataFileText = 510;
constexpr int kCompletedText = 511;
constexpr int kInvalidFilenameText = 512;
constexpr int kCannotCreateText = 513;
constexpr int kNotNormalText = 514;
constexpr int kDriveNotReadyText = 515;
constexpr int kCancelledText = 516;

constexpr int kMaxNumberedOutputs = 100;
constexpr std::uint64_t kProgressStepBytes = 4 << 20;
constexpr int kInstDecimals = 3;
constexpr int kWaveDecimals = 6;
// The most values one instantaneous record holds (load 4, 1P2W).
constexpr std::size_t kMaxInstValues = 28;

constexpr std::string_view kLineEnd = "\r\n";

// Reads a text field of `bytes` bytes and keeps its `kept` significant characters.
std::string readText(BinaryInput& input, std::size_t bytes, std::size_t kept) {
    std::string field(bytes, '\0');
    field.resize(input.read(field.data(), bytes));
    if (field.size() > kept) field.resize(kept);
    return field;
}

// A 2-byte code: its low byte counts.
std::uint8_t readCode(BinaryInput& input) {
    unsigned char bytes[2] = {0, 0};
    input.read(bytes, 2);
    return bytes[0];
}

float readSingle(BinaryInput& input) {
    unsigned char b[4] = {0, 0, 0, 0};
    input.read(b, 4);
    const std::uint32_t bits = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                               std::uint32_t{b[3]} << 24;
    return std::bit_cast<float>(bits);
}

std::uint32_t singleBits(const unsigned char* b) {
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
}

// Appends ",value" for each complete single in `bytes`.
void appendValues(TextOutput& output, const unsigned char* bytes, std::size_t count, int decimals) {
    char* out = output.reserve(count * (kMaxValueText + 1));
    for (std::size_t i = 0; i < count; ++i) {
        *out++ = ',';
        out = WriteValueText(out, singleBits(bytes + 4 * i), decimals);
    }
    output.commit(out);
}

}  // namespace

bool DataFileConverter::OpenInputFile(const std::string& inputFolder, const std::string& fileName) {
    fileName_ = fileName;
    std::string error;
    if (input_.open(WithTrailingSeparator(inputFolder) + fileName, error)) return false;
    ReportSystemError(ctx_, error);
    return true;
}

bool DataFileConverter::SetFileHeaderRead() {
    const std::string extension = UpperCaseAscii(fileName_.size() >= 4 ? fileName_.substr(fileName_.size() - 4) : fileName_);
    if (extension == ".BIN")
        type_ = kTypeInst;
    else if (extension == ".WFM")
        type_ = kTypeWave;
    else
        return true;

    const std::string model = readText(input_, 6, 5);
    if (model != kModelName) return true;
    const std::string type = readText(input_, 5, 4);
    if (type_ == kTypeWave) {
        if (type != kTypeWave) return true;
        wave_ = {};
        wave_.Model = model;
        wave_.Type = type;
        wave_.Version = readText(input_, 5, 4);
        wave_.Id = readText(input_, 4, 3);
        const int ch = input_.readByte();
        wave_.Ch = ch < 0 ? '\0' : static_cast<char>(ch);
        return false;
    }
    if (type != kTypeInst && type != kTypeInstDc) return true;
    type_ = type;
    inst_ = {};
    inst_.Model = model;
    inst_.Type = type;
    inst_.Version = readText(input_, 5, 4);
    inst_.Id = readText(input_, 4, 3);
    for (std::uint8_t* code : {&inst_.Load, &inst_.Wiring, &inst_.VarMethod, &inst_.Frequency, &inst_.Sampling,
                               &inst_.Source, &inst_.Interval, &inst_.URange})
        *code = readCode(input_);
    for (std::uint8_t& code : inst_.ARange) code = readCode(input_);
    inst_.Vt = readSingle(input_);
    for (float& ct : inst_.Ct) ct = readSingle(input_);
    return false;
}

bool DataFileConverter::CheckHeaderComplete() {
    const std::uint64_t headerBytes = type_ == kTypeWave ? kWaveRecordsOffset : kInstRecordsOffset;
    if (input_.position() >= headerBytes) return false;
    reportNotNormal();
    return true;
}

bool DataFileConverter::OpenOutputFile(const std::string& outputFolder) {
    if (fileName_.size() <= 4) {
        ShowStopText(ctx_, ctx_.catalogue.text(kInvalidFilenameText));
        return true;
    }
    outputStem_ = WithTrailingSeparator(outputFolder) + fileName_.substr(0, fileName_.size() - 4);
    // The first free name now; the file takes the first one still free when it is complete.
    for (outputNumber_ = -1; outputNumber_ < kMaxNumberedOutputs; ++outputNumber_) {
        struct stat info {};
        if (::lstat(outputName(outputNumber_).c_str(), &info) != 0 && errno == ENOENT) break;
    }
    if (outputNumber_ == kMaxNumberedOutputs) {
        ShowStopText(ctx_, ctx_.catalogue.text(kCannotCreateText));
        return true;
    }
    if (output_.create(outputName(outputNumber_))) return false;
    ReportSystemError(ctx_, output_.error());
    return true;
}

std::string DataFileConverter::outputName(int number) const {
    char suffix[16] = "";
    if (number >= 0) std::snprintf(suffix, sizeof suffix, "(%02d)", number);
    return outputStem_ + suffix + ".CSV";
}

bool DataFileConverter::CheckTimeOnlyRecords() {
    input_.seek(kSecondTimeOnlyRecordOffset);
    std::string record(kTimeOnlyRecordBytes, '\0');
    record.resize(input_.read(record.data(), record.size()));
    return LooksLikeTimeOnlyRecord(record);
}

void DataFileConverter::MakeHeader(bool timeOnly) {
    auto line = [this](std::string_view key, std::string_view value) {
        output_.append(key);
        output_.append(value);
        output_.append(kLineEnd);
    };
    if (type_ == kTypeWave) {
        line("MODEL,", wave_.Model + ",T550");
        line("VERSION,", wave_.Version);
        line("ID,", wave_.Id);
        line("CH,", std::string(1, wave_.Ch) + "\r");
        return;
    }
    const bool withDc = type_ == kTypeInstDc;
    line("MODEL,", inst_.Model + (withDc ? ",T351" : ",T350"));
    line("VERSION,", inst_.Version);
    line("ID,", inst_.Id);
    line("LOAD,", std::to_string(inst_.Load));
    line("WIRING,", IndexToWiring(inst_.Wiring));
    line("VAR_METHOD,", IndexToOnOff(inst_.VarMethod));
    line("FREQUENCY,", IndexToFixClock(inst_.Frequency));
    line("SAMPLING,", IndexToSampling(inst_.Sampling));
    line("SOURCE,", IndexToSource(inst_.Source));
    line("INTERVAL,", IndexToInterval(inst_.Interval, IntervalSpelling::Short));
    line("U_RANGE,", IndexToURange(inst_.URange));
    std::string ranges;
    std::string ratios;
    for (std::size_t channel = 0; channel < 4; ++channel) {
        ranges += (channel == 0 ? "" : ",") + IndexToARange(inst_.ARange[channel]);
        ratios += (channel == 0 ? "" : ",") + FormatRatio(inst_.Ct[channel]);
    }
    line("A_RANGE,", ranges);
    line("VT,", FormatRatio(inst_.Vt));
    line("CT,", ratios + "\r");
    line("", InstTitleRow(inst_.Wiring, inst_.Load, withDc, timeOnly));
}

void DataFileConverter::MakeInstFile(bool timeOnly) {
    if (inst_.Wiring > kMaxWiringCode) {
        // No value count or titles exist for such a wiring: refuse the rows rather than guess.
        reportNotNormal();
        return;
    }
    std::int16_t count = CheckDataNumber(inst_.Wiring, inst_.Load);
    if (type_ == kTypeInst) count = static_cast<std::int16_t>(count - 2);
    const std::size_t values = timeOnly || count <= 0 ? 0 : static_cast<std::size_t>(count);
    unsigned char valueBytes[kMaxInstValues * 4];
    char dateTime[kInstDateTimeBytes];
    char field[kInstFieldBytes];

    input_.seek(kInstRecordsOffset);
    if (!reportProgress()) return;
    while (!output_.failed()) {
        const int first = input_.readByte();
        if (first < 0) break;
        dateTime[0] = static_cast<char>(first);
        const std::size_t dateBytes = input_.read(dateTime + 1, kInstDateTimeBytes - 1);
        if (CheckInstDateTime(std::string_view(dateTime + 1, dateBytes))) {
            reportNotNormal();
            return;
        }
        output_.append(std::string_view(dateTime, kInstDateTimeBytes));
        const std::size_t fieldBytes = input_.read(field, kInstFieldBytes);
        output_.append(std::string_view(field, std::min(fieldBytes, kInstFieldText)));
        const std::size_t valueBytesRead = input_.read(valueBytes, values * 4);
        appendValues(output_, valueBytes, valueBytesRead / 4, kInstDecimals);
        output_.append(kLineEnd);
        if (fieldBytes < kInstFieldBytes || valueBytesRead < values * 4) {
            reportNotNormal();
            return;
        }
        if (input_.position() - lastProgress_ >= kProgressStepBytes && !reportProgress()) return;
    }
    reportProgress();
}

void DataFileConverter::MakeWaveFile() {
    constexpr std::size_t kSampleBytes = kWaveSamples * 4;
    unsigned char samples[kSampleBytes];
    char dateTime[kWaveDateTimeBytes];
    std::string name;

    input_.seek(kWaveRecordsOffset);
    if (!reportProgress()) return;
    while (!output_.failed()) {
        const int first = input_.readByte();
        if (first < 0) break;
        // The name has 7, 9 or 10 characters and ends in a comma.
        name.assign(1, static_cast<char>(first));
        char rest[6];
        name.append(rest, input_.read(rest, sizeof rest));
        auto take = [&] {
            const int c = input_.readByte();
            if (c >= 0) name += static_cast<char>(c);
            return c;
        };
        if (take() != ',') {
            take();
            if (take() != ',') take();
        }
        output_.append(name);
        const std::size_t dateBytes = input_.read(dateTime, kWaveDateTimeBytes);
        if (CheckWaveDateTime(std::string_view(dateTime, dateBytes))) {
            reportNotNormal();
            return;
        }
        output_.append(std::string_view(dateTime, kWaveDateTimeBytes));
        const std::size_t sampleBytes = input_.read(samples, kSampleBytes);
        appendValues(output_, samples, sampleBytes / 4, kWaveDecimals);
        output_.append(kLineEnd);
        if (sampleBytes < kSampleBytes) {
            reportNotNormal();
            return;
        }
        if (input_.position() - lastProgress_ >= kProgressStepBytes && !reportProgress()) return;
    }
    reportProgress();
}

bool DataFileConverter::CloseFiles() {
    input_.close();
    // Never over an existing file: a name taken meanwhile passes to the next one.
    for (; outputNumber_ < kMaxNumberedOutputs; ++outputNumber_) {
        switch (output_.closeUnderFreeName(outputName(outputNumber_))) {
            case Placement::Placed: observer_.outputCreated(outputName(outputNumber_)); return true;
            case Placement::NameTaken: continue;
            case Placement::Failed: ReportSystemError(ctx_, output_.error()); return false;
        }
    }
    output_.discard();
    ShowStopText(ctx_, ctx_.catalogue.text(kCannotCreateText));
    return false;
}

void DataFileConverter::reportNotNormal() {
    notNormal_ = true;
    ShowStopText(ctx_, fileName_ + ctx_.catalogue.text(kNotNormalText));
}

bool DataFileConverter::reportProgress() {
    lastProgress_ = input_.position();
    observer_.progress(fileName_, std::min(lastProgress_, input_.size()), input_.size());
    stopped_ = observer_.stopRequested();
    return !stopped_;
}

ConversionSummary RunConversion(AppContext& ctx, const std::vector<ConversionInput>& inputs,
                                const std::string& outputFolder, ConversionObserver& observer) {
    ConversionSummary summary;
    // An empty folder would put the files in the filesystem's root.
    if (outputFolder.empty()) {
        ShowStopText(ctx, ctx.catalogue.text(kDriveNotReadyText));
        return summary;
    }
    for (const ConversionInput& input : inputs) {
        DataFileConverter converter(ctx, observer);
        if (converter.OpenInputFile(input.folder, input.name)) return summary;
        if (converter.SetFileHeaderRead()) {
            ShowStopText(ctx, ctx.catalogue.text(kNotDataFileText));
            return summary;
        }
        if (converter.CheckHeaderComplete()) {
            ++summary.notNormalFiles;
            continue;
        }
        if (converter.OpenOutputFile(outputFolder)) return summary;
        const bool timeOnly = converter.CheckTimeOnlyRecords();
        converter.MakeHeader(timeOnly);
        if (converter.currentType() == kTypeWave)
            converter.MakeWaveFile();
        else
            converter.MakeInstFile(timeOnly);
        if (converter.stopped()) {
            // The file at hand is dropped with the converter; those before it stay.
            ShowInformationText(ctx, ctx.catalogue.text(kCancelledText));
            return summary;
        }
        if (converter.notNormal()) ++summary.notNormalFiles;
        if (!converter.CloseFiles()) return summary;
    }
    ShowInformationText(ctx, ctx.catalogue.text(kCompletedText));
    summary.completed = true;
    return summary;
}

}  // namespace voltaro
