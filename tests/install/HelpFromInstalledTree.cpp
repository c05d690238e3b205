// Opens the help window as the installed program does: from the folder it runs in, with the
// manual found in ../share/voltaro/. The install test puts this program beside the installed
// voltaro, runs it on the offscreen platform, and takes exit status 0 for a manual shown at the
// settings section with its pictures.
#include <QApplication>
#include <QTextBrowser>
#include <QTextDocument>
#include <iostream>

#include "app/AppPath.h"
#include "app/ui/Manual.h"
#include "app/ui/frmHelp.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    voltaro::test::RecordingMessages messages;
    const voltaro::test::FixedClock clock{{2026, 12, 7, 9, 0, 0}};
    voltaro::AppContext ctx(messages, clock);
    ctx.ExecutableDir = voltaro::RunningExecutableDir();
    QWidget owner;
    voltaro::ShowManual(ctx, &owner, "settings");
    for (const auto& box : messages.boxes) std::cerr << box.text << '\n';
    const auto* help = owner.findChild<voltaro::frmHelp*>();
    const auto* manual = help == nullptr ? nullptr : help->findChild<QTextBrowser*>("txtManual");
    if (!messages.boxes.empty() || manual == nullptr) return 1;
    std::cout << manual->source().toString().toStdString() << '\n';
    const QVariant picture = manual->document()->resource(QTextDocument::ImageResource, QUrl("frmSetting-1.png"));
    const bool shown = manual->source().fragment() == "settings" &&
                       manual->toPlainText().contains("The settings window") && picture.isValid();
    return shown ? 0 : 1;
}
