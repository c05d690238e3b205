#include "app/ui/Manual.h"

#include <QWidget>
#include <filesystem>

#include "app/ErrorReporting.h"
#include "app/InputFile.h"
#include "app/ProgramFiles.h"
#include "app/ui/frmHelp.h"

namespace voltaro {

namespace {

constexpr int kHelpFileName = 1001;

}  // namespace

std::string ManualFileName(const AppContext& ctx) {
    std::filesystem::path name = ctx.catalogue.text(kHelpFileName);
    name.replace_extension(".html");
    return name.string();
}

void ShowManual(AppContext& ctx, QWidget* owner, std::string_view section) {
    const ProgramFile manual = FindProgramFile(ctx.ExecutableDir, ManualFileName(ctx));
    // Read first, as every outside file is, so that a missing or unreadable manual is said
    // plainly instead of showing an empty window.
    std::string bytes;
    std::string error;
    if (!ReadSmallRegularFile(manual.path, frmHelp::kLargestPage, bytes, error)) {
        ReportSystemError(ctx, error);
        return;
    }
    frmHelp* help = owner == nullptr ? nullptr : owner->findChild<frmHelp*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr) help = new frmHelp(ctx, owner);
    help->showSection(QString::fromStdString(manual.path),
                      QString::fromUtf8(section.data(), qsizetype(section.size())));
}

}  // namespace voltaro
