#include "app/ui/ProgressDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/PlainButton.h"

namespace voltaro {

namespace {

constexpr int kBarSteps = 1000;
constexpr int kMinimumBarWidth = 300;
// The share of the screen's width the file line may take; the rest is the window's frame, its
// margins and the picture beside the lines.
constexpr int kLineShareOfScreen = 3;
constexpr int kLineShareOf = 4;

}  // namespace

ProgressDialog::ProgressDialog(const QString& caption, const QString& message, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("frmProgress");
    setWindowTitle(caption);
    setWindowModality(Qt::WindowModal);

    picture_ = new QLabel(this);
    picture_->setObjectName("Picture1");  // the windows that show it name it after what it shows
    picture_->setAlignment(Qt::AlignCenter);
    picture_->hide();
    message_ = new QLabel(message, this);
    message_->setObjectName("lblMessage");
    message_->setVisible(!message.isEmpty());
    fileName_ = new QLabel(this);
    fileName_->setObjectName("lblFilename");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("barProgress");
    bar_->setRange(0, 0);
    bar_->setTextVisible(false);
    // The width goes on the bar, not the window: a minimum of the window's own would keep it
    // from widening for a long file line, which would then be cut.
    bar_->setMinimumWidth(kMinimumBarWidth);

    cancel_ = NewPlainButton("cmdCancel", {}, this);  // a stray Enter must not stop a long transfer
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &ProgressDialog::reject);

    auto* lines = new QVBoxLayout;
    lines->addWidget(message_);
    lines->addWidget(fileName_);
    lines->addWidget(bar_);
    lines->addWidget(cancel_, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture_);
    layout->addLayout(lines, 1);
}

void ProgressDialog::setFileName(const QString& name) {
    QMetaObject::invokeMethod(this, [this, name] { showFileLine(name); });
}

void ProgressDialog::showFileLine(const QString& line) {
    // The window widens for the whole line as far as its screen allows. Past that the middle of
    // the line gives way, so that its end, the time left, still shows; the whole line is the tip.
    const int room = screen()->availableGeometry().width() * kLineShareOfScreen / kLineShareOf;
    const QString shown = fileName_->fontMetrics().elidedText(line, Qt::ElideMiddle, room);
    fileName_->setText(shown);
    fileName_->setToolTip(shown == line ? QString() : line);
}

void ProgressDialog::setProgress(std::uint64_t done, std::uint64_t total) {
    // Scaled to a fixed number of steps: sizes past the bar's int range still show.
    const int step = total == 0 ? kBarSteps : static_cast<int>(std::min(done, total) * kBarSteps / total);
    QMetaObject::invokeMethod(this, [this, step] {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(step);
    });
}

void ProgressDialog::progress(const std::string& name, std::uint64_t done, std::uint64_t total) {
    setFileName(QString::fromStdString(name));
    setProgress(done, total);
}

void ProgressDialog::allowStopping(const QString& cancelCaption) {
    cancel_->setText(cancelCaption);
    cancel_->show();
}

void ProgressDialog::reject() {
    if (cancel_->isHidden()) return;
    stopRequested_ = true;
    cancel_->setEnabled(false);  // asked once; the operation ends at its next block
}

}  // namespace voltaro
