#include "settings/ui/SettingTextBoxes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <cstdint>

#include "app/CodePageText.h"
#include "app/NumberText.h"
#include "app/ui/FocusOut.h"
#include "settings/FieldRules.h"
#include "settings/ui/SettingHandlers.h"

namespace voltaro {

namespace {

QString utf8Text(const std::string& text) { return QString::fromStdString(text); }

// What a box of the code page shows for its bytes.
QString codePageText(const std::string& bytes) {
    std::string utf8;
    AppendCodePageAsUtf8(bytes, utf8);
    return QString::fromStdString(utf8);
}

}  // namespace

SettingTextBoxes::SettingTextBoxes(AppContext& ctx, const SettingControls& controls, const SettingHandlers& handlers,
                                   QObject* parent)
    : QObject(parent), ctx_(ctx), c_(controls), handlers_(handlers) {
    boxes_ = {c_.txtVt,           c_.txtCt[0],      c_.txtCt[1], c_.txtCt[2],    c_.txtCt[3], c_.txtSwell, c_.txtDip,
              c_.txtInterruption, c_.txtHysteresis, c_.txtID,    c_.txtFilename, c_.txtHour,  c_.txtMin,   c_.txtSec};
    for (QLineEdit* box : boxes_) box->installEventFilter(this);
}

bool SettingTextBoxes::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) return false;
    if (event->type() == QEvent::FocusIn) {
        // After a click has placed the cursor: the whole text is there to be typed over.
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    } else if (LeavesForAnotherControl(*event)) {
        if (!commit(box)) keepFocusIn(box);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        TimerBox which{};
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isTimerBox(box, which)) {
            enterInTimerBox(box, which);
            return true;
        }
    }
    return false;
}

bool SettingTextBoxes::commitFocusedBox() {
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (box == nullptr || std::find(boxes_.begin(), boxes_.end(), box) == boxes_.end()) return true;
    if (commit(box)) return true;
    keepFocusIn(box);
    return false;
}

void SettingTextBoxes::keepFocusIn(QLineEdit* box) {
    QTimer::singleShot(0, box, [box] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    });
}

bool SettingTextBoxes::isTimerBox(const QLineEdit* box, TimerBox& which) const {
    if (box == c_.txtHour)
        which = TimerBox::Hours;
    else if (box == c_.txtMin)
        which = TimerBox::Minutes;
    else if (box == c_.txtSec)
        which = TimerBox::Seconds;
    else
        return false;
    return true;
}

std::array<std::int16_t, 3> SettingTextBoxes::timerWith(TimerBox box) const {
    const std::array<const QLineEdit*, 3> boxes{c_.txtHour, c_.txtMin, c_.txtSec};
    std::array<std::int16_t, 3> timer = ctx_.CurrentSetting.StopTimer;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (i == static_cast<std::size_t>(box)) continue;
        const std::string shown = boxes[i]->text().toStdString();
        if (const auto value = ParsePlainNumber(shown); value && *value >= INT16_MIN && *value <= INT16_MAX)
            timer[i] = static_cast<std::int16_t>(*value);
    }
    return timer;
}

template <typename Value>
bool SettingTextBoxes::apply(QLineEdit* box, const TextCommit<Value>& result, Value& field) {
    return apply(box, result, field, utf8Text(result.text));
}

template <typename Value>
bool SettingTextBoxes::apply(QLineEdit* box, const TextCommit<Value>& result, Value& field, const QString& shown) {
    box->setText(shown);
    ShowCommitMessages(ctx_, result.messages);
    if (result.outcome == CommitOutcome::Accepted && idle()) field = result.value;
    return result.outcome != CommitOutcome::Refused;
}

bool SettingTextBoxes::commit(QLineEdit* box) {
    SettingRecord& r = ctx_.CurrentSetting;
    const std::string typed = box->text().toStdString();
    if (box == c_.txtVt) {
        const auto accepts = [this](float vt) {
            for (int channel = 0; channel < SettingControls::kCurrentChannels; ++channel)
                if (!handlers_.RatedPowerAccepts(channel, vt, handlers_.ctShown(channel))) return false;
            return true;
        };
        return apply(box, CommitVtText(typed, r.Vt, accepts), r.Vt);
    }
    for (int channel = 0; channel < SettingControls::kCurrentChannels; ++channel) {
        if (box != c_.txtCt[channel]) continue;
        const auto accepts = [this, channel](float ct) {
            return handlers_.RatedPowerAccepts(channel, handlers_.vtShown(), ct);
        };
        float& ct = r.Ct[static_cast<std::size_t>(channel)];
        return apply(box, CommitCtText(typed, ct, accepts), ct);
    }
    if (box == c_.txtSwell) return apply(box, CommitWholePercentText(typed, r.Swell, kSwellRule), r.Swell);
    if (box == c_.txtDip) return apply(box, CommitWholePercentText(typed, r.Dip, kDipBoxRule), r.Dip);
    if (box == c_.txtInterruption)
        return apply(box, CommitWholePercentText(typed, r.Interruption, kInterruptionRule), r.Interruption);
    if (box == c_.txtHysteresis) return apply(box, CommitHysteresisText(typed, r.Hysteresis), r.Hysteresis);
    if (box == c_.txtID) return apply(box, CommitIdText(typed, r.Id), r.Id);
    if (box == c_.txtFilename) {
        // Typed text is checked as the bytes the meter gets; the box keeps the case as typed.
        const TextCommit<std::string> result = CommitFileNameText(CodePageFromUtf8(typed), r.FileName);
        return apply(box, result, r.FileName, codePageText(result.text));
    }
    TimerBox which{};
    if (isTimerBox(box, which)) {
        std::int16_t& field = r.StopTimer[static_cast<std::size_t>(which)];
        return apply(box, CommitStopTimerText(typed, which, timerWith(which)), field);
    }
    return true;
}

void SettingTextBoxes::enterInTimerBox(QLineEdit* box, TimerBox which) {
    const TimerEnterKey result = EnterInStopTimerBox(box->text().toStdString(), which, timerWith(which));
    ShowCommitMessages(ctx_, result.messages);
    if (result.outcome == CommitOutcome::Refused) {
        keepFocusIn(box);
        return;
    }
    box->setText(utf8Text(result.text));
    if (result.clearMinutesAndSeconds) {
        c_.txtMin->setText(QStringLiteral("0"));
        c_.txtSec->setText(QStringLiteral("0"));
    }
    if (idle()) ctx_.CurrentSetting.StopTimer[static_cast<std::size_t>(which)] = result.value;
}

}  // namespace voltaro
