#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <vector>

#include "app/AppContext.h"
#include "settings/TextBoxCommit.h"
#include "settings/ui/SettingControls.h"

class QLineEdit;

namespace voltaro {

class SettingHandlers;

// The settings window's text boxes: each selects its whole text when it gets the focus
// and is committed when the focus leaves it for another control of the window, by the
// item's rule. A refused value brings the last accepted one back and keeps the focus in
// the box with its text selected; only an accepted one, while the user edits, reaches
// CurrentSetting. Enter in a box of the stop timer checks that box at once.
class SettingTextBoxes : public QObject {
    Q_OBJECT

public:
    SettingTextBoxes(AppContext& ctx, const SettingControls& controls, const SettingHandlers& handlers,
                     QObject* parent);

    // Commits the box that has the focus as leaving it would, before the window acts on
    // its items (closing, saving, sending). False when the box refused its text: the
    // focus stays there.
    bool commitFocusedBox();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool idle() const { return ctx_.OperationMode == operation_mode::Idle; }
    bool isTimerBox(const QLineEdit* box, TimerBox& which) const;
    std::array<std::int16_t, 3> timerWith(TimerBox box) const;
    // Applies the box's rule; false when it refused the text.
    bool commit(QLineEdit* box);
    void enterInTimerBox(QLineEdit* box, TimerBox which);
    // Shows the result's text (or `shown` for it), its messages, and, when accepted
    // while the user edits, stores its value; false when refused.
    template <typename Value>
    bool apply(QLineEdit* box, const TextCommit<Value>& result, Value& field);
    template <typename Value>
    bool apply(QLineEdit* box, const TextCommit<Value>& result, Value& field, const QString& shown);
    void keepFocusIn(QLineEdit* box);

    AppContext& ctx_;
    const SettingControls& c_;
    const SettingHandlers& handlers_;
    std::vector<QLineEdit*> boxes_;
};

}  // namespace voltaro
