#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace voltaro::test {

// One way a shown window fails to read well.
struct LayoutProblem {
    enum Kind {
        ClippedText,    // a control is smaller than its text needs
        Overlap,        // two controls of the same container cover each other
        OutsideParent,  // a control reaches past the edge of its container
    };
    Kind kind;
    QString path;  // widgetPath of the control at fault
    QString text;  // "frmFileConv/fmaOutput/btnBrowseOut: text needs 120 px, has 80"
};

// What stops `window` reading well as it stands: text cut off in labels, buttons, check and
// option boxes, frame titles, combo boxes (their widest entry), text boxes, tabs and tool
// buttons; shown controls of one container that overlap; controls reaching outside their
// container. The window must have been shown; hidden controls and the parts a control is made of
// are passed over (see arrangedChildren). A pixel of rounding is allowed everywhere.
std::vector<LayoutProblem> layoutProblems(const QWidget& window);

// The problems one a line, for a test's failure message.
QString describe(const std::vector<LayoutProblem>& problems);

}  // namespace voltaro::test
