#pragma once

#include <QDialog>
#include <QTextBrowser>
#include <cstddef>

#include "app/AppContext.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace voltaro {

// Shows the manual's pages and pictures, read as every outside file is: a regular file of
// bounded size, so that a FIFO in a picture's place cannot hold the window up. Links lead only
// within the manual's own files.
class ManualBrowser : public QTextBrowser {
    Q_OBJECT

public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

// The program's own help window, so that Help works on a computer without a web browser: the
// manual with its links, Back, and a search box that finds the next place a text occurs. It
// stands beside the window that opened it (a window's Help keeps one), is not modal, and closes
// with that window.
class frmHelp : public QDialog {
    Q_OBJECT

public:
    static constexpr std::size_t kLargestPage = 16 << 20;

    frmHelp(const AppContext& ctx, QWidget* owner);

    // Shows the manual file `path` at `section` (its start when empty) and brings the window forward.
    void showSection(const QString& path, const QString& section);

    // The next place of the search box's text after the selection, from the start again past the
    // end; false, and "Not found." beside the box, when the manual has none.
    bool findNext();

private:
    ManualBrowser* txtManual_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QLineEdit* txtFind_ = nullptr;
    QPushButton* btnFindNext_ = nullptr;
    QLabel* lblNotFound_ = nullptr;
};

}  // namespace voltaro
