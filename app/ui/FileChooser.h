#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace voltaro {

// Lets the user pick an existing file, starting at `start` (a folder, or a file to
// preselect), offering the files that `filter` names in Qt's "Name (*.a *.b)" form; an
// empty result means the user cancelled.
using FileChooser =
    std::function<QString(QWidget* owner, const QString& caption, const QString& filter, const QString& start)>;

// The platform's file open dialog.
QString ChooseExistingFile(QWidget* owner, const QString& caption, const QString& filter, const QString& start);

// Lets the user name a file to write, starting at `start` (a folder, or a file name to
// offer); a name typed without an extension gets `defaultSuffix` ("SET"), and the dialog
// itself asks before an existing file is replaced. Empty when the user cancelled.
using SaveFileChooser = std::function<QString(QWidget* owner, const QString& caption, const QString& filter,
                                              const QString& start, const QString& defaultSuffix)>;

// The platform's file save dialog.
QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& filter, const QString& start,
                         const QString& defaultSuffix);

// A catalogue filter, "Name(*.csv)|*.CSV" pairs separated by "|", in Qt's form. Each
// name keeps the patterns it shows and gets the ones it stands for,
// "Name (*.csv *.CSV)", so that both spellings match where names are case-sensitive.
QString QtFileFilter(const std::string& catalogueFilter);

}  // namespace voltaro
