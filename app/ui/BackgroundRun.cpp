#include "app/ui/BackgroundRun.h"

#include <QThread>
#include <memory>

#include "app/ui/ProgressDialog.h"

namespace voltaro {

void RunInBackground(ProgressDialog& progress, std::function<void()> work) {
    const std::unique_ptr<QThread> worker(QThread::create(std::move(work)));
    // Emitted on the worker, so it arrives through the dialog's event loop even when the
    // work ends before the dialog is up.
    QObject::connect(worker.get(), &QThread::finished, &progress, &QDialog::accept);
    worker->start();
    progress.exec();
    worker->wait();
}

std::int16_t RunOperation(ProgressDialog& progress, const std::function<std::int16_t()>& operation) {
    std::int16_t result = -1;
    RunInBackground(progress, [&] { result = operation(); });
    return result;
}

}  // namespace voltaro
