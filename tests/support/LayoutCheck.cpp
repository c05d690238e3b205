#include "support/LayoutCheck.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "support/WindowWalk.h"

namespace voltaro::test {

namespace {

// Sizes computed from fractional font metrics may round either way.
constexpr int kTolerance = 1;
// QLineEdit's own spacing between its frame and its text.
constexpr int kLineEditHorizontalMargin = 2;
constexpr int kLineEditVerticalMargin = 1;
// QPushButton's and QTabBar's own spacing between an icon and the caption.
constexpr int kIconSpacing = 4;

QString nameOf(const QWidget& widget) {
    const QString path = widgetPath(widget);
    return path.mid(path.lastIndexOf('/') + 1);
}

// The rectangle of `widget` in the coordinates of its container.
QRect rectIn(const QWidget& container, const QWidget& widget) {
    return {widget.mapTo(&container, QPoint(0, 0)), widget.size()};
}

class Checker {
public:
    std::vector<LayoutProblem> problems;

    void visit(const QWidget& container) {
        const std::vector<QWidget*> children = arrangedChildren(container, Shown::Only);
        // A tab widget's bar overlaps its pane by the style's design, and a scroll area's widget
        // may be larger than what it shows.
        if (!qobject_cast<const QTabWidget*>(&container) && !container.inherits("QScrollArea")) {
            for (std::size_t i = 0; i < children.size(); ++i) {
                reachOutside(container, *children[i]);
                for (std::size_t j = i + 1; j < children.size(); ++j) overlap(container, *children[i], *children[j]);
            }
        }
        for (const QWidget* child : children) {
            judgeText(*child);
            visit(*child);
        }
    }

private:
    void add(LayoutProblem::Kind kind, const QWidget& widget, const QString& what) {
        const QString path = widgetPath(widget);
        problems.push_back({kind, path, path + ": " + what});
    }

    // `need` is what the text takes with the control's frame and margins; `has` what it got.
    void compare(const QWidget& widget, const QString& what, QSize need, QSize has) {
        if (need.width() > has.width() + kTolerance)
            add(LayoutProblem::ClippedText, widget,
                QString("%1 needs %2 px, has %3").arg(what).arg(need.width()).arg(has.width()));
        if (need.height() > has.height() + kTolerance)
            add(LayoutProblem::ClippedText, widget,
                QString("%1 needs %2 px of height, has %3").arg(what).arg(need.height()).arg(has.height()));
    }

    void reachOutside(const QWidget& container, const QWidget& child) {
        const QRect inside = container.rect();
        const QRect placed = rectIn(container, child);
        const int beyond = std::max({inside.left() - placed.left(), placed.right() - inside.right(),
                                     inside.top() - placed.top(), placed.bottom() - inside.bottom()});
        if (beyond > kTolerance)
            add(LayoutProblem::OutsideParent, child,
                QString("reaches %1 px outside %2").arg(beyond).arg(nameOf(container)));
    }

    void overlap(const QWidget& container, const QWidget& one, const QWidget& other) {
        const QRect common = rectIn(container, one).intersected(rectIn(container, other));
        if (common.width() > kTolerance && common.height() > kTolerance)
            add(LayoutProblem::Overlap, one,
                QString("overlaps %1 by %2 x %3 px").arg(nameOf(other)).arg(common.width()).arg(common.height()));
    }

    void judgeText(const QWidget& widget) {
        if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
            judgeLabel(*label);
        } else if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
            if (!button->text().isEmpty()) compare(*button, "text", pushButtonNeed(*button), button->size());
        } else if (const auto* tool = qobject_cast<const QToolButton*>(&widget)) {
            if (!tool->text().isEmpty() && tool->toolButtonStyle() != Qt::ToolButtonIconOnly)
                compare(*tool, "text", tool->sizeHint(), tool->size());
        } else if (const auto* box = qobject_cast<const QAbstractButton*>(&widget)) {
            // Check and option boxes: their hint is the indicator, the spacing and the text.
            if (!box->text().isEmpty()) compare(*box, "text", box->sizeHint(), box->size());
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
            judgeFrameTitle(*frame);
        } else if (const auto* list = qobject_cast<const QComboBox*>(&widget)) {
            judgeComboBox(*list);
        } else if (const auto* box = qobject_cast<const QLineEdit*>(&widget)) {
            judgeLineEdit(*box);
        } else if (const auto* bar = qobject_cast<const QTabBar*>(&widget)) {
            judgeTabs(*bar);
        }
    }

    void judgeLabel(const QLabel& label) {
        if (label.text().isEmpty()) return;  // a picture, or nothing yet
        if (label.wordWrap())
            compare(label, "text", {0, label.heightForWidth(label.width())}, label.size());
        else
            compare(label, "text", label.sizeHint(), label.size());
    }

    // What QPushButton's hint asks for, less the style's smallest button width: a short caption
    // in a narrow button is not cut.
    static QSize pushButtonNeed(const QPushButton& button) {
        const QStyle& style = *button.style();
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.icon = button.icon();
        option.iconSize = button.iconSize();
        QSize content = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
        if (!button.icon().isNull())
            content = {content.width() + button.iconSize().width() + kIconSpacing,
                       std::max(content.height(), button.iconSize().height())};
        if (button.menu() != nullptr)
            content.rwidth() += style.pixelMetric(QStyle::PM_MenuButtonIndicator, &option, &button);
        int margins = style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button) +
                      2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &button);
        if (button.autoDefault() || button.isDefault())
            margins += 2 * style.pixelMetric(QStyle::PM_ButtonDefaultIndicator, &option, &button);
        return content + QSize(margins, margins);
    }

    void judgeFrameTitle(const QGroupBox& frame) {
        if (frame.title().isEmpty()) return;
        const QStyle& style = *frame.style();
        QStyleOptionGroupBox option;
        option.initFrom(&frame);
        option.text = frame.title();
        option.lineWidth = 1;
        option.textAlignment = frame.alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (frame.isFlat()) option.features |= QStyleOptionFrame::Flat;
        const QFontMetrics metrics = frame.fontMetrics();
        QSize title(metrics.horizontalAdvance(frame.title()) + metrics.horizontalAdvance(' '), metrics.height());
        if (frame.isCheckable()) {
            option.subControls |= QStyle::SC_GroupBoxCheckBox;
            title.rwidth() += style.pixelMetric(QStyle::PM_IndicatorWidth, &option, &frame) +
                              style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, &frame);
        }
        const QSize need = style.sizeFromContents(QStyle::CT_GroupBox, &option, title, &frame);
        compare(frame, "title", {need.width(), 0}, frame.size());
    }

    // Each entry must fit unless the list was told to size itself by a number of characters.
    // Worked out afresh: the hint a list keeps from its first showing misses entries added later.
    void judgeComboBox(const QComboBox& list) {
        if (list.sizeAdjustPolicy() == QComboBox::AdjustToMinimumContentsLengthWithIcon) {
            compare(list, "shown text", list.sizeHint(), list.size());
            return;
        }
        const QFontMetrics metrics = list.fontMetrics();
        QStringList texts;
        for (int entry = 0; entry < list.count(); ++entry) texts << list.itemText(entry);
        if (list.isEditable()) texts << list.currentText();
        bool icons = false;
        for (int entry = 0; entry < list.count(); ++entry) icons = icons || !list.itemIcon(entry).isNull();
        int widest = 0;
        for (const QString& entryText : texts) widest = std::max(widest, metrics.boundingRect(entryText).width());
        if (widest == 0) return;
        QSize content(widest, std::max(int(std::ceil(QFontMetricsF(list.font()).height())), 14) + 2);
        if (icons)
            content = {content.width() + list.iconSize().width() + kIconSpacing,
                       std::max(content.height(), list.iconSize().height() + 2)};
        QStyleOptionComboBox option;
        option.initFrom(&list);
        option.editable = list.isEditable();
        option.frame = list.hasFrame();
        option.currentText = list.currentText();
        option.iconSize = list.iconSize();
        option.subControls = QStyle::SC_All;
        compare(list, "widest entry", list.style()->sizeFromContents(QStyle::CT_ComboBox, &option, content, &list),
                list.size());
    }

    // As QLineEdit's hint, with the text in place of its room for seventeen characters. A box that
    // grows with its window scrolls a long path by design, so only its height is judged; one sized
    // for its value must show all of it.
    void judgeLineEdit(const QLineEdit& box) {
        if (box.displayText().isEmpty()) return;
        const QStyle& style = *box.style();
        QStyleOptionFrame option;
        option.initFrom(&box);
        option.lineWidth = box.hasFrame() ? style.pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
        option.state |= QStyle::State_Sunken;
        const QFontMetrics metrics = box.fontMetrics();
        const QMargins margins = box.textMargins();
        const int iconSize = style.pixelMetric(QStyle::PM_SmallIconSize, nullptr, &box);
        const QSize content(
            metrics.horizontalAdvance(box.displayText()) + 2 * kLineEditHorizontalMargin + margins.left() +
                margins.right(),
            std::max(metrics.height(), std::max(14, iconSize - 2)) + 2 * kLineEditVerticalMargin + margins.top() +
                margins.bottom());
        QSize need = style.sizeFromContents(QStyle::CT_LineEdit, &option, content, &box);
        const bool grows = box.minimumWidth() != box.maximumWidth() &&
                           (box.sizePolicy().horizontalPolicy() & QSizePolicy::GrowFlag) != 0;
        if (grows) need.setWidth(0);
        compare(box, "text", need, box.size());
    }

    // As QTabBar's own tab hint; a tab given less shows its caption cut or elided.
    void judgeTabs(const QTabBar& bar) {
        const QStyle& style = *bar.style();
        const QFontMetrics metrics = bar.fontMetrics();
        const bool vertical = bar.shape() == QTabBar::RoundedWest || bar.shape() == QTabBar::RoundedEast ||
                              bar.shape() == QTabBar::TriangularWest || bar.shape() == QTabBar::TriangularEast;
        for (int tab = 0; tab < bar.count(); ++tab) {
            if (!bar.isTabVisible(tab) || bar.tabText(tab).isEmpty()) continue;
            QStyleOptionTab option;
            option.initFrom(&bar);
            option.shape = bar.shape();
            option.text = bar.tabText(tab);
            option.icon = bar.tabIcon(tab);
            option.iconSize = bar.iconSize();
            option.documentMode = bar.documentMode();
            const QSize icon = option.icon.isNull() ? QSize(0, 0) : option.iconSize;
            int buttons = option.icon.isNull() ? 0 : kIconSpacing;
            int buttonHeight = 0;
            for (const QTabBar::ButtonPosition side : {QTabBar::LeftSide, QTabBar::RightSide}) {
                if (const QWidget* button = bar.tabButton(tab, side); button != nullptr && !button->isHidden()) {
                    buttons += button->sizeHint().width() + kIconSpacing;
                    buttonHeight = std::max(buttonHeight, button->sizeHint().height());
                }
            }
            const int along = metrics.size(Qt::TextShowMnemonic, option.text).width() + icon.width() + buttons +
                              style.pixelMetric(QStyle::PM_TabBarTabHSpace, &option, &bar);
            const int across = std::max({metrics.height(), icon.height(), buttonHeight}) +
                               style.pixelMetric(QStyle::PM_TabBarTabVSpace, &option, &bar);
            const QSize content = vertical ? QSize(across, along) : QSize(along, across);
            compare(bar, QString("tab \"%1\"").arg(option.text),
                    style.sizeFromContents(QStyle::CT_TabBarTab, &option, content, &bar), bar.tabRect(tab).size());
        }
    }
};

}  // namespace

std::vector<LayoutProblem> layoutProblems(const QWidget& window) {
    if (!window.isVisible()) qFatal("%s is not shown: nothing of it is laid out", qPrintable(widgetPath(window)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    Checker checker;
    checker.visit(window);
    return checker.problems;
}

QString describe(const std::vector<LayoutProblem>& problems) {
    QStringList lines;
    for (const LayoutProblem& problem : problems) lines << problem.text;
    return lines.join('\n');
}

}  // namespace voltaro::test
