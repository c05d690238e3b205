#pragma once

#include <QDialog>
#include <string>

#include "app/AppContext.h"
#include "app/ui/FolderChooser.h"
#include "app/ui/Manual.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace voltaro {

class CsvListView;

// The conversion window: pick a folder of the meter's binary data files, select some,
// pick an output folder and convert them into CSV files, which it lists with their dates.
class frmFileConv : public QDialog {
    Q_OBJECT

public:
    enum ToolbarButton { Help = 1 };
    enum Side { InputSide = 0, OutputSide = 1 };

    // Loads the window: reads the Parameter file and lists both folders.
    frmFileConv(AppContext& ctx, ManualViewer showManual = ShowManual,
                FolderChooser chooseFolder = ChooseExistingFolder, QWidget* parent = nullptr);

    // Lists the folder typed on `side` again; an unreachable one is reported and the
    // last good folder comes back into the box.
    void RefreshFileLists(int side);
    // Conversion needs an output folder and at least one selected input file.
    void UpdateConvertButton();
    // Lets the user pick the folder of `side`; cancelling changes nothing.
    void BrowseFolder(int side);

public slots:
    // Closing the window, however it happens, keeps the folders in the Parameter file.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Caption and box title, the Parameter file, then both folders' lists.
    void load();
    QString text(int id) const;
    void pathEntered(int side);
    void onToolbarButton(int index);
    void runConversion();
    QLineEdit* pathBox(int side) const;
    std::string& savedFolder(int side);

    AppContext& ctx_;
    MessageTitleScope title_;
    ManualViewer showManual_;
    FolderChooser chooseFolder_;

    QLineEdit* txtInputPath_ = nullptr;
    QListWidget* filConvertFile_ = nullptr;
    QLineEdit* txtOutputPath_ = nullptr;
    CsvListView* ListView1_ = nullptr;
    QPushButton* btnConvert_ = nullptr;

    QString inputFolder_;  // the folder filConvertFile lists
};

}  // namespace voltaro
