#include "convert/DataFileConverter.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "app/AppPath.h"
#include "app/ErrorReporting.h"
#include "app/NumberText.h"
#include "app/TextTools.h"
#include "app/OrderedWork.h"
#include "convert/DataRows.h"
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
// The rows are made in blocks of about this much input, on as many cores as there are, up to a few.
constexpr std::size_t kBlockInputBytes = 128 << 10;
constexpr unsigned kMostWorkers = 4;

constexpr std::string_view kLineEnd = "\r\n";

// A block of whole records and the text of its rows.
struct RowBlock {
    std::unique_ptr<unsigned char[]> input;
    std::size_t inputBytes = 0;
    std::uint64_t end = 0;  // the file position after the block's records
    std::unique_ptr<char[]> text;
    std::size_t textBytes = 0;
    bool notNormal = false;
};

// The bytes of the whole records at the start of the `count` bytes at `bytes`.
std::size_t wholeRecords(const DataRows& rows, const unsigned char* bytes, std::size_t count) {
    std::size_t whole = 0;
    for (std::size_t next; (next = rows.recordBytes(bytes + whole, count - whole)) <= count - whole;) whole += next;
    return whole;
}

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
    return std::bit_cast<float>(SingleBits(b));
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
        const std::string_view separator = channel == 0 ? "" : ",";
        ranges.append(separator).append(IndexToARange(inst_.ARange[channel]));
        ratios.append(separator).append(FormatRatio(inst_.Ct[channel]));
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
    makeRows(DataRows::Instantaneous(values), kInstRecordsOffset);
}

void DataFileConverter::MakeWaveFile() { makeRows(DataRows::Waveform(), kWaveRecordsOffset); }

void DataFileConverter::makeRows(const DataRows& rows, std::uint64_t offset) {
    input_.seek(offset);
    if (!reportProgress(offset)) return;
    // Blocks are read and written here, in order, and formatted on the workers meanwhile.
    const std::size_t inputCapacity = kBlockInputBytes + rows.longestRecord();
    const std::size_t textCapacity = (inputCapacity / rows.shortestRecord() + 1) * rows.longestRow();
    const unsigned workers = OrderedWork<RowBlock>::workersForCores(kMostWorkers);
    OrderedWork<RowBlock> blocks(workers, workers + 2, [&rows](RowBlock& block) {
        const DataRows::Written written = rows.write(block.input.get(), block.inputBytes, block.text.get());
        block.textBytes = static_cast<std::size_t>(written.end - block.text.get());
        block.notNormal = written.notNormal;
    });
    std::vector<unsigned char> carried;  // a record begun at the end of the block before
    bool inputEnded = false;
    for (;;) {
        for (RowBlock* block; !inputEnded && (block = blocks.vacant()) != nullptr;) {
            if (!block->input) {
                block->input = std::make_unique_for_overwrite<unsigned char[]>(inputCapacity);
                block->text = std::make_unique_for_overwrite<char[]>(textCapacity);
            }
            std::copy(carried.begin(), carried.end(), block->input.get());
            const std::size_t asked = kBlockInputBytes;
            const std::size_t read = input_.read(block->input.get() + carried.size(), asked);
            const std::size_t have = carried.size() + read;
            inputEnded = read < asked;  // only the last block may end inside a record
            block->inputBytes = inputEnded ? have : wholeRecords(rows, block->input.get(), have);
            carried.assign(block->input.get() + block->inputBytes, block->input.get() + have);
            block->end = input_.position() - carried.size();
            if (block->inputBytes == 0) break;
            blocks.submit();
        }
        RowBlock* block = blocks.oldest();
        if (block == nullptr) break;
        output_.append(std::string_view(block->text.get(), block->textBytes));
        if (block->notNormal) {
            reportNotNormal();
            return;
        }
        if (output_.failed()) return;
        const std::uint64_t written = block->end;
        blocks.recycle();
        if (written - lastProgress_ >= kProgressStepBytes && !reportProgress(written)) return;
    }
    reportProgress(input_.position());
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

bool DataFileConverter::reportProgress(std::uint64_t position) {
    lastProgress_ = position;
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
