#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>
#include <functional>
#include <memory>

#include "app/ParameterFile.h"
#include "convert/ui/frmFileConv.h"
#include "support/FixedClock.h"
#include "support/DataFileBytes.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"

namespace voltaro {

namespace {

using test::control;
using test::listedNames;
using test::qpath;

void touch(const std::filesystem::path& path) { std::ofstream(path) << "x"; }

// A small "T301" file, 1P2W with one load: ten values per record.
void writeInstFile(const std::filesystem::path& path, int records) {
    std::string bytes = test::InstHeader{}.bytes();
    for (int record = 0; record < records; ++record) {
        std::vector<std::uint32_t> values;
        for (int i = 0; i < 10; ++i) values.push_back(test::BitsOf(static_cast<float>(record * 10 + i)));
        bytes += test::InstRecord("2004/01/01,00:00:00", "ABCDEFGHI", values);
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// Boxes recorded on the window thread, as the real ones are shown, together with what
// the user sees while each is up.
class WindowThreadMessages final : public Messages {
public:
    struct Box {
        MessageIcon icon;
        std::string title;
        std::string text;
        QString modalWindow;
        QString progressFile;
        QStringList listed;
    };

    void notify(MessageIcon icon, const std::string& title, const std::string& text) override {
        if (QThread::currentThread() != qApp->thread()) {
            QMetaObject::invokeMethod(
                qApp, [&] { notify(icon, title, text); }, Qt::BlockingQueuedConnection);
            return;
        }
        QWidget* modal = QApplication::activeModalWidget();
        const auto* file = modal != nullptr ? modal->findChild<QLabel*>("lblFilename") : nullptr;
        boxes.push_back({icon, title, text, modal != nullptr ? modal->objectName() : QString(),
                         file != nullptr ? file->text() : QString(), listView ? listView() : QStringList()});
    }

    bool askOkCancel(const std::string&, const std::string&) override { return false; }
    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::Cancel; }

    std::vector<Box> boxes;
    std::function<QStringList()> listView;
};

QStringList inputNames(const frmFileConv& window) {
    QStringList names;
    const auto* list = control<QListWidget>(window, "filConvertFile");
    for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
    return names;
}

void select(const frmFileConv& window, const QString& name, bool selected) {
    const auto* list = control<QListWidget>(window, "filConvertFile");
    const auto found = list->findItems(name, Qt::MatchExactly);
    if (found.size() != 1) qFatal("no single entry %s", qPrintable(name));
    found.front()->setSelected(selected);
}

}  // namespace

class frmFileConvTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder;
    std::unique_ptr<test::TemporaryFolder> input;
    std::unique_ptr<test::TemporaryFolder> output;
    std::unique_ptr<test::TemporaryFolder> other;

    // Saves the two folders the way a previous run of the window would have.
    void saveFolders(const std::filesystem::path& inputFolder, const std::filesystem::path& outputFolder) {
        const auto folders = [&](PcSettings& pc) {
            pc.ConvInputPath = inputFolder.string();
            pc.ConvOutputPath = outputFolder.string();
        };
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), folders), std::int16_t{0});
    }

    PcSettings savedPcSettings() {
        AppContext ctx(messages, clock);
        ctx.AppPath = appFolder->withSeparator();
        AccessParameterFile(ctx, kParameterRead);
        return ctx.CurrentSetting.Pc;
    }

private slots:
    void init() {
        messages.boxes.clear();
        appFolder = std::make_unique<test::TemporaryFolder>();
        input = std::make_unique<test::TemporaryFolder>();
        output = std::make_unique<test::TemporaryFolder>();
        other = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        for (const char* name : {"A.BIN", "b.wfm", "C.WFM", "notes.txt"}) touch(input->path() / name);
        for (const char* name : {"X.CSV", "y.csv", "A.BIN"}) touch(output->path() / name);
        for (const char* name : {"B.BIN", "Y.CSV"}) touch(other->path() / name);
        saveFolders(input->path(), output->path());
    }

    void loadShowsTheSavedFoldersAndTheirFiles() {
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);

        QCOMPARE(window.windowTitle(), QString("File conversion"));
        QCOMPARE(ctx.MsgTitle, std::string("File conversion"));
        QCOMPARE(control<QLineEdit>(window, "txtInputPath")->text(), qpath(input->path()));
        QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), qpath(output->path()));
        QCOMPARE(inputNames(window), (QStringList{"A.BIN", "b.wfm", "C.WFM"}));
        QCOMPARE(listedNames(window), (QStringList{"X.CSV", "y.csv"}));
        const QTreeWidgetItem* header = control<QTreeWidget>(window, "ListView1")->headerItem();
        QCOMPARE(header->text(0), QString("Name"));
        QCOMPARE(header->text(1), QString("Date"));
        QVERIFY2(!control<QPushButton>(window, "btnConvert")->isEnabled(), "nothing is selected yet");
        QVERIFY(messages.boxes.empty());
    }

    void firstRunStartsInTheApplicationFolder() {
        std::filesystem::remove(appFolder->path() / kParameterFileName);
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        const QString appPath = QString::fromStdString(appFolder->withSeparator());
        QCOMPARE(control<QLineEdit>(window, "txtInputPath")->text(), appPath);
        QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), appPath);
        QVERIFY(messages.boxes.empty());
    }

    void convertNeedsAnOutputFolderAndASelectedFile() {
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        auto* convert = control<QPushButton>(window, "btnConvert");

        select(window, "A.BIN", true);
        QVERIFY(convert->isEnabled());
        select(window, "C.WFM", true);
        select(window, "A.BIN", false);
        QVERIFY2(convert->isEnabled(), "one file is still selected");
        select(window, "C.WFM", false);
        QVERIFY2(!convert->isEnabled(), "the last selected file was deselected");

        control<QLineEdit>(window, "txtOutputPath")->clear();
        control<QListWidget>(window, "filConvertFile")->selectAll();
        QVERIFY2(!convert->isEnabled(), "no output folder, whatever is selected");
    }

    void typedFolderIsListedOrRefused_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("leave");  // Enter pressed, or the reason the focus left
        QTest::addColumn<bool>("exists");
        constexpr int enter = -1;
        QTest::newRow("input, Enter, existing") << 0 << enter << true;
        QTest::newRow("input, Enter, missing") << 0 << enter << false;
        QTest::newRow("input, Tab, existing") << 0 << int(Qt::TabFocusReason) << true;
        QTest::newRow("input, Tab, missing") << 0 << int(Qt::TabFocusReason) << false;
        QTest::newRow("input, another window, missing") << 0 << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("output, Enter, existing") << 1 << enter << true;
        QTest::newRow("output, Enter, missing") << 1 << enter << false;
    }

    void typedFolderIsListedOrRefused() {
        QFETCH(int, side);
        QFETCH(int, leave);
        QFETCH(bool, exists);
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        auto* box = control<QLineEdit>(window, side == 0 ? "txtInputPath" : "txtOutputPath");
        auto listed = [&] { return side == 0 ? inputNames(window) : listedNames(window); };
        const QStringList before = listed();
        const QString typed = qpath(exists ? other->path() : other->path() / "missing");
        const std::string previous = (side == 0 ? input->path() : output->path()).string();
        const std::string& saved =
            side == 0 ? ctx.CurrentSetting.Pc.ConvInputPath : ctx.CurrentSetting.Pc.ConvOutputPath;

        box->setText(typed);
        if (leave < 0) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QFocusEvent focusOut(QEvent::FocusOut, Qt::FocusReason(leave));
            QApplication::sendEvent(box, &focusOut);
        }

        if (leave == Qt::ActiveWindowFocusReason) {
            // A box or another window taking the focus is no edit of the folder.
            QVERIFY(messages.boxes.empty());
            QCOMPARE(box->text(), typed);
            QCOMPARE(saved, previous);
        } else if (exists) {
            QVERIFY(messages.boxes.empty());
            QCOMPARE(saved, other->path().string());
            QCOMPARE(listed(), side == 0 ? QStringList{"B.BIN"} : QStringList{"Y.CSV"});
        } else {
            QCOMPARE(messages.boxes.size(), std::size_t{1});
            QCOMPARE(messages.boxes[0].icon, MessageIcon::Stop);
            QCOMPARE(messages.boxes[0].title, std::string("File conversion"));
            QCOMPARE(messages.boxes[0].text, std::string("Drive not ready."));
            QCOMPARE(box->text(), QString::fromStdString(previous));
            QCOMPARE(saved, previous);
            QCOMPARE(listed(), before);
        }
    }

    void leavingTheUnchangedFolderKeepsTheSelection() {
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        select(window, "b.wfm", true);
        touch(input->path() / "NEW.BIN");
        QFocusEvent leave(QEvent::FocusOut, Qt::MouseFocusReason);
        QApplication::sendEvent(control<QLineEdit>(window, "txtInputPath"), &leave);
        QCOMPARE(inputNames(window), (QStringList{"A.BIN", "b.wfm", "C.WFM", "NEW.BIN"}));
        const auto selected = control<QListWidget>(window, "filConvertFile")->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.front()->text(), QString("b.wfm"));
        QVERIFY(control<QPushButton>(window, "btnConvert")->isEnabled());
    }

    void browsingStartsAtTheSavedFolderAndCancelChangesNothing() {
        QStringList asked;
        QString answer;
        AppContext ctx(messages, clock);
        frmFileConv window(ctx, OpenWithDesktop, [&](QWidget*, const QString& caption, const QString& start) {
            asked << caption + "|" + start;
            return answer;
        });

        control<QPushButton>(window, "btnBrowseOut")->click();
        QCOMPARE(asked, QStringList{"Select output folder|" + qpath(output->path())});
        QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), qpath(output->path()));
        QCOMPARE(listedNames(window), (QStringList{"X.CSV", "y.csv"}));

        answer = qpath(other->path());
        control<QPushButton>(window, "btnBrowse")->click();
        QCOMPARE(asked.last(), "Select folder|" + qpath(input->path()));
        QCOMPARE(control<QLineEdit>(window, "txtInputPath")->text(), qpath(other->path()));
        QCOMPARE(inputNames(window), QStringList{"B.BIN"});
        QCOMPARE(ctx.CurrentSetting.Pc.ConvInputPath, other->path().string());
        QVERIFY(messages.boxes.empty());
    }

    void conversionRunsBehindTheProgressWindowAndListsTheNewFile() {
        writeInstFile(input->path() / "DATA0001.BIN", 3);
        WindowThreadMessages boxes;
        AppContext ctx(boxes, clock);
        frmFileConv window(ctx);
        window.show();
        auto* convert = control<QPushButton>(window, "btnConvert");
        select(window, "DATA0001.BIN", true);
        QVERIFY(convert->isEnabled());

        boxes.listView = [&] { return listedNames(window); };
        convert->click();

        QTRY_VERIFY(listedNames(window).contains("DATA0001.CSV"));
        QCOMPARE(boxes.boxes.size(), std::size_t{1});
        const WindowThreadMessages::Box& done = boxes.boxes[0];
        QCOMPARE(done.icon, MessageIcon::Information);
        QCOMPARE(done.title, std::string("File conversion"));
        QCOMPARE(done.text, std::string("Data conversion was completed."));
        QCOMPARE(done.modalWindow, QString("frmProgress"));
        QCOMPARE(done.progressFile, QString("DATA0001.BIN"));
        QVERIFY2(done.listed.contains("DATA0001.CSV"), "the new file is listed while the run goes on");
        QVERIFY(std::filesystem::file_size(output->path() / "DATA0001.CSV") > 0);

        const auto* view = control<QTreeWidget>(window, "ListView1");
        const auto found = view->findItems("DATA0001.CSV", Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.front()->data(1, Qt::DisplayRole).toDateTime().date(), QDate::currentDate());
        QVERIFY2(convert->isEnabled(), "the selection and the output folder are still there");
    }

    void headerClickSortsByThatColumn() {
        // Dates whose short text sorts the other way round ("1/1/25" before "9/9/24").
        using namespace std::chrono;
        auto at = [](year_month_day day) { return file_clock::from_sys(sys_seconds(sys_days(day) + 12h)); };
        std::filesystem::last_write_time(output->path() / "X.CSV", at(2025y / January / 1));
        std::filesystem::last_write_time(output->path() / "y.csv", at(2024y / September / 9));
        AppContext ctx(messages, clock);
        frmFileConv window(ctx);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QHeaderView* header = control<QTreeWidget>(window, "ListView1")->header();
        auto clickColumn = [&](int column) {
            const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                                header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
        };

        clickColumn(1);
        QCOMPARE(listedNames(window), (QStringList{"y.csv", "X.CSV"}));  // by time, not by the date's text
        clickColumn(0);
        QCOMPARE(listedNames(window), (QStringList{"X.CSV", "y.csv"}));
        clickColumn(1);
        touch(output->path() / "W.CSV");
        QTest::keyClick(control<QLineEdit>(window, "txtOutputPath"), Qt::Key_Return);
        QCOMPARE(listedNames(window), (QStringList{"W.CSV", "X.CSV", "y.csv"}));  // a new list sorts by name again
    }

    void closingKeepsTheFoldersInTheParameterFile() {
        {
            AppContext ctx(messages, clock);
            frmFileConv window(ctx);
            window.show();
            auto* box = control<QLineEdit>(window, "txtOutputPath");
            box->setText(qpath(other->path()));
            QTest::keyClick(box, Qt::Key_Return);
            window.close();
        }
        const PcSettings saved = savedPcSettings();
        QCOMPARE(saved.ConvInputPath, input->path().string());
        QCOMPARE(saved.ConvOutputPath, other->path().string());
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileConvTest)
#include "frmFileConvTest.moc"
