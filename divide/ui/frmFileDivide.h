#pragma once

#include <QDialog>

#include "app/AppContext.h"
#include "app/ui/FileChooser.h"
#include "app/ui/FolderChooser.h"
#include "app/ui/Manual.h"
#include "divide/DivideFormat.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace voltaro {

class CsvListView;

// The divide window: pick a data CSV file, an output folder and the size of the pieces
// in lines or in columns, and cut the file into numbered pieces, which it lists with
// the output folder's other CSV files.
class frmFileDivide : public QDialog {
    Q_OBJECT

public:
    enum ToolbarButton { Help = 1 };

    // Loads the window: reads the Parameter file, shows the saved choices and lists the
    // output folder.
    frmFileDivide(AppContext& ctx, ManualViewer showManual = ShowManual,
                  FolderChooser chooseFolder = ChooseExistingFolder, FileChooser chooseFile = ChooseExistingFile,
                  QWidget* parent = nullptr);

    // Lists the output folder again; an unreachable one is reported and the saved folder
    // comes back into the box.
    void RefreshOutputList();
    // Division needs an input file and an output folder.
    void UpdateDivideButton();
    // Lets the user pick the output folder; cancelling changes nothing.
    void BrowseOutputFolder();

public slots:
    // Closing the window, however it happens, keeps the paths in the Parameter file.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Caption and box title, the Parameter file, the saved choices, the output list.
    void load();
    QString text(int id) const;
    void browseInputFile();
    void inputFileEntered();
    void outputPathEntered();
    // Enables the count box of the option just selected and disables the other one.
    void divideKindSelected(DivideKind kind);
    void onToolbarButton(int index);
    void runDivision();

    AppContext& ctx_;
    MessageTitleScope title_;
    ManualViewer showManual_;
    FolderChooser chooseFolder_;
    FileChooser chooseFile_;

    QLineEdit* txtInputFile_ = nullptr;
    QLineEdit* txtOutputPath_ = nullptr;
    CsvListView* ListView1_ = nullptr;
    // The names cross the captions: optColSelect ("Row divide") makes pieces of lines,
    // counted in txtColNo; optRowSelect ("Col. divide") pieces of columns, in txtRowNo.
    QRadioButton* optColSelect_ = nullptr;
    QLabel* lblCol_ = nullptr;
    QLineEdit* txtColNo_ = nullptr;
    QRadioButton* optRowSelect_ = nullptr;
    QLabel* lblRow_ = nullptr;
    QLineEdit* txtRowNo_ = nullptr;
    QPushButton* btnDivide_ = nullptr;
};

}  // namespace voltaro
