#pragma once

#include <QDialog>
#include <atomic>
#include <cstdint>

#include "app/ProgressObserver.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace voltaro {

// The small window a long operation runs behind, modal to the window that started it:
// a caption, a line saying what is being done, the name of the file at hand and a
// progress bar (busy until the first progress arrives), with room for a picture beside
// them. The user cannot close it; the end of the operation does (see RunInBackground).
// An operation that can stop halfway gets a Cancel button: it, or Escape, asks the
// operation to stop. As an observer it shows the progress a core operation reports from
// the worker and tells it when the user asked to stop.
class ProgressDialog : public QDialog, public ProgressObserver {
    Q_OBJECT

public:
    // An empty `message` leaves the message line out.
    ProgressDialog(const QString& caption, const QString& message, QWidget* owner);

    // These may be called from the worker thread; such calls are queued to the window's thread.
    void setFileName(const QString& name);
    void setProgress(std::uint64_t done, std::uint64_t total);
    void progress(const std::string& name, std::uint64_t done, std::uint64_t total) override;

    // Shows the Cancel button, for an operation that asks stopRequested() as it goes.
    void allowStopping(const QString& cancelCaption);
    bool stopRequested() const override { return stopRequested_; }

public slots:
    // Asks the operation to stop when it can; the close button does nothing.
    void reject() override;

protected:
    // The place for a picture beside the text lines; hidden until a window shows it.
    QLabel& picture() { return *picture_; }

private:
    void showFileLine(const QString& line);

    QLabel* picture_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* fileName_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::atomic<bool> stopRequested_ = false;
};

}  // namespace voltaro
