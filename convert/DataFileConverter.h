#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/BinaryInput.h"
#include "app/ProgressObserver.h"
#include "convert/DataFileFormat.h"
#include "convert/DataRows.h"
#include "app/TextOutput.h"

namespace voltaro {

// What a conversion run tells its window or command besides its message boxes: how far
// reading the input has come, and each output file once it is complete under its name.
class ConversionObserver : public ProgressObserver {
public:
    // The window lists the new file, the command prints it.
    virtual void outputCreated(const std::string& path) { (void)path; }
};

// Converts the meter's binary data files into comma-separated text, one file at a time.
// Routines that can fail return true on failure, after reporting it.
class DataFileConverter {
public:
    DataFileConverter(AppContext& ctx, ConversionObserver& observer) : ctx_(ctx), observer_(observer) {}

    bool OpenInputFile(const std::string& inputFolder, const std::string& fileName);
    bool SetFileHeaderRead();
    // A file that ends inside its header is not normal: reported, and nothing is written for it.
    bool CheckHeaderComplete();
    bool OpenOutputFile(const std::string& outputFolder);
    bool CheckTimeOnlyRecords();
    void MakeHeader(bool timeOnly);
    // Write the data rows; a file found not normal is reported here and leaves what was
    // written before. A failure to write stops the rows and is reported by CloseFiles; a
    // request to stop ends them at the next block (see stopped()).
    void MakeInstFile(bool timeOnly);
    void MakeWaveFile();
    // Closes both files and puts the output in place under the first free name; false when
    // the output could not be completed (reported), and then nothing of it stays.
    bool CloseFiles();

    const std::string& currentType() const { return type_; }
    const InstFileHeader& instHeader() const { return inst_; }
    const WaveFileHeader& waveHeader() const { return wave_; }
    bool notNormal() const { return notNormal_; }
    // The user asked to stop while the rows were written; the output is not complete.
    bool stopped() const { return stopped_; }

private:
    // Writes the rows of the records from `offset` on.
    void makeRows(const DataRows& rows, std::uint64_t offset);
    void reportNotNormal();
    // Reports the input read up to `position`; false when the user has asked to stop.
    bool reportProgress(std::uint64_t position);
    // "NAME.CSV" for -1, "NAME(nn).CSV" for 0 to 99, in the output folder.
    std::string outputName(int number) const;

    AppContext& ctx_;
    ConversionObserver& observer_;
    std::string fileName_;
    BinaryInput input_;
    TextOutput output_;
    std::string outputStem_;
    int outputNumber_ = -1;
    std::string type_;
    InstFileHeader inst_;
    WaveFileHeader wave_;
    bool notNormal_ = false;
    bool stopped_ = false;
    std::uint64_t lastProgress_ = 0;
};

struct ConversionSummary {
    bool completed = false;  // every file was walked and the completion message shown
    int notNormalFiles = 0;
};

// One file to convert: the folder as the user gave it and the file's name in it.
struct ConversionInput {
    std::string folder;
    std::string name;
};

// The conversion run: converts the inputs in order into `outputFolder`. A refused file
// stops the run; a file that is not normal does not.
ConversionSummary RunConversion(AppContext& ctx, const std::vector<ConversionInput>& inputs,
                                const std::string& outputFolder, ConversionObserver& observer);

}  // namespace voltaro
