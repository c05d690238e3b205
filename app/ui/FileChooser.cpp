#include "app/ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

namespace voltaro {

QString ChooseExistingFile(QWidget* owner, const QString& caption, const QString& filter, const QString& start) {
    return QDir::toNativeSeparators(QFileDialog::getOpenFileName(owner, caption, start, filter));
}

QString ChooseFileToSave(QWidget* owner, const QString& caption, const QString& filter, const QString& start,
                         const QString& defaultSuffix) {
    QFileDialog dialog(owner, caption, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

QString QtFileFilter(const std::string& catalogueFilter) {
    const QStringList parts = QString::fromStdString(catalogueFilter).split('|');
    const QRegularExpression separators("[; ]");
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        QStringList patterns;
        const qsizetype open = name.lastIndexOf('(');
        if (open >= 0 && name.endsWith(')')) {
            patterns = name.mid(open + 1, name.size() - open - 2).split(separators, Qt::SkipEmptyParts);
            name = name.left(open).trimmed();
        }
        if (i + 1 < parts.size())
            for (const QString& pattern : parts[i + 1].split(separators, Qt::SkipEmptyParts))
                if (!patterns.contains(pattern)) patterns << pattern;
        filters << name + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

}  // namespace voltaro
