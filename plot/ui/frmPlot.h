#pragma once

#include <QDialog>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/ui/Manual.h"
#include "plot/PlotData.h"
#include "plot/PlotFileReader.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace voltaro {

class PlotWidget;

// The data viewer: one data file as a plot. A file over time shows the columns ticked in the
// column list over time (the first one at the start); a waveform file shows the ticked channels
// of the record chosen in the record box over its samples. Its messages carry its own caption.
class frmPlot : public QDialog {
    Q_OBJECT

public:
    enum ToolbarButton { WholeView = 1, Help = 3 };

    frmPlot(AppContext& ctx, ManualViewer showManual = ShowManual, QWidget* parent = nullptr);

    // Reads the file and shows it; false, after a message, when it is none the viewer can show
    // (and then the viewer keeps what it showed).
    bool openFile(const QString& path);

    PlotWidget& plot() const { return *picPlot_; }

private:
    void buildControls();
    QString text(int id) const;
    void onToolbarButton(int index);
    // Does `work` on the file at `path` on the window thread for a small file, behind a progress
    // window for a large one.
    bool read(const std::string& path, const std::function<bool(PlotFileReader&)>& work);
    void fillColumnList();
    // The ticked columns (over time) or channels (waveform), in the list's order.
    std::vector<std::size_t> tickedRows() const;
    void showTickedColumns();
    void showRecord(int number);
    void showTickedChannels();

    AppContext ctx_;  // the viewer's own, for its caption on its messages
    ManualViewer showManual_;
    std::string path_;
    PlotFileLayout layout_;
    std::vector<WaveformRecord> records_;
    // What is shown, put back in the lists when reading something else fails or is stopped.
    PlotData record_;  // waveform: the record shown, every channel
    int shownRecord_ = 0;
    std::vector<std::size_t> shownColumns_;  // over time: the columns drawn

    QGroupBox* fraRecord_ = nullptr;
    QSpinBox* spnRecord_ = nullptr;
    QLabel* lblRecordCount_ = nullptr;
    QLabel* lblRecordTime_ = nullptr;
    QGroupBox* fraColumns_ = nullptr;
    QListWidget* lstColumns_ = nullptr;
    PlotWidget* picPlot_ = nullptr;
};

// Opens the viewer on `path` as a window of its own over `parent`, closed with it; a file the
// viewer cannot show is reported and opens nothing.
frmPlot* OpenPlotViewer(AppContext& ctx, const QString& path, QWidget* parent,
                        ManualViewer showManual = ShowManual);

}  // namespace voltaro
