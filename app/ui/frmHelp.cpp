#include "app/ui/frmHelp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>
#include <string>

#include "app/InputFile.h"
#include "app/ui/NamedControl.h"
#include "app/ui/PlainButton.h"

namespace voltaro {

namespace {

constexpr int kCaption = 1003;
constexpr int kBackButton = 1004;
constexpr int kFindLabel = 1005;
constexpr int kFindNextButton = 1006;
constexpr int kNotFound = 1007;

// A page's width in average characters, and its height in lines, as the window first opens.
constexpr int kPageColumns = 90;
constexpr int kPageLines = 40;

}  // namespace

QVariant ManualBrowser::loadResource(int, const QUrl& name) {
    // Pictures come relative to the page; the page itself with its absolute path.
    const QUrl url = name.isRelative() ? document()->baseUrl().resolved(name) : name;
    if (!url.isLocalFile()) return {};
    std::string bytes;
    std::string ignored;  // the page was read once before it was asked for; a missing picture shows as none
    if (!ReadSmallRegularFile(url.toLocalFile().toStdString(), frmHelp::kLargestPage, bytes, ignored)) return {};
    return QByteArray::fromStdString(bytes);
}

frmHelp::frmHelp(const AppContext& ctx, QWidget* owner) : QDialog(owner, Qt::Window) {
    const auto text = [&ctx](int id) { return QString::fromStdString(ctx.catalogue.text(id)); };
    setObjectName("frmHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(text(kCaption));

    btnBack_ = NewPlainButton("btnBack", text(kBackButton), this);
    btnBack_->setEnabled(false);
    auto* lblFind = named(new QLabel(text(kFindLabel), this), "lblFind");
    txtFind_ = named(new QLineEdit(this), "txtFind");
    lblFind->setBuddy(txtFind_);
    btnFindNext_ = NewPlainButton("btnFindNext", text(kFindNextButton), this);
    lblNotFound_ = named(new QLabel(text(kNotFound), this), "lblNotFound");
    // Kept in the layout when hidden, so that the row does not jump when it shows.
    QSizePolicy keepsItsPlace = lblNotFound_->sizePolicy();
    keepsItsPlace.setRetainSizeWhenHidden(true);
    lblNotFound_->setSizePolicy(keepsItsPlace);
    lblNotFound_->hide();
    txtManual_ = named(new ManualBrowser(this), "txtManual");
    txtManual_->setOpenLinks(true);
    txtManual_->setOpenExternalLinks(false);

    auto* row = new QHBoxLayout;
    row->addWidget(btnBack_);
    row->addStretch(1);
    row->addWidget(lblFind);
    row->addWidget(txtFind_);
    row->addWidget(btnFindNext_);
    row->addWidget(lblNotFound_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(txtManual_, 1);

    connect(btnBack_, &QPushButton::clicked, txtManual_, &QTextBrowser::backward);
    connect(txtManual_, &QTextBrowser::backwardAvailable, btnBack_, &QPushButton::setEnabled);
    connect(btnFindNext_, &QPushButton::clicked, this, &frmHelp::findNext);
    connect(txtFind_, &QLineEdit::returnPressed, this, &frmHelp::findNext);
    connect(txtFind_, &QLineEdit::textChanged, lblNotFound_, &QLabel::hide);

    const QFontMetrics metrics = txtManual_->fontMetrics();
    QSize size(metrics.averageCharWidth() * kPageColumns, metrics.lineSpacing() * kPageLines);
    if (const QScreen* screen = owner != nullptr ? owner->screen() : this->screen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);
}

void frmHelp::showSection(const QString& path, const QString& section) {
    QUrl location = QUrl::fromLocalFile(path);
    if (!section.isEmpty()) location.setFragment(section);
    txtManual_->setSource(location);
    // The same page at its start again: setSource only moves for a section.
    if (section.isEmpty()) txtManual_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

bool frmHelp::findNext() {
    const QString wanted = txtFind_->text();
    if (wanted.isEmpty()) return false;
    bool found = txtManual_->find(wanted);
    if (!found) {
        QTextCursor start = txtManual_->textCursor();
        start.movePosition(QTextCursor::Start);
        txtManual_->setTextCursor(start);
        found = txtManual_->find(wanted);
    }
    lblNotFound_->setVisible(!found);
    return found;
}

}  // namespace voltaro
