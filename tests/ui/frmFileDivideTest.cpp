#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <memory>

#include "divide/ui/frmFileDivide.h"
#include "support/FixedClock.h"
#include "support/RecordingMessages.h"
#include "support/SavedSettings.h"
#include "support/TemporaryFolder.h"
#include "support/WindowControls.h"
#include "support/WindowThreadMessages.h"

namespace voltaro {

using test::control;
using test::listedNames;

class frmFileDivideTest : public QObject {
    Q_OBJECT

    test::RecordingMessages messages;
    test::FixedClock clock{{2026, 12, 6, 9, 0, 0}};
    std::unique_ptr<test::TemporaryFolder> appFolder, input, output;

private slots:
    void init() {
        messages.boxes.clear(), messages.questions.clear(), messages.answers.clear();
        for (auto* folder : {&appFolder, &input, &output}) *folder = std::make_unique<test::TemporaryFolder>();
        qputenv("VOLTARO_APP_DIR", QByteArray::fromStdString(appFolder->path().string()));
        // A converted instantaneous data file: 14 setting lines, the empty line, the title row, ten records.
        std::string data = "MODEL,ZR915,T351\r\n";
        for (int line = 2; line <= 14; ++line) data += "SETTING" + std::to_string(line) + ",1\r\n";
        data += "\r\nDATE,TIME,,A,B\r\n";
        for (int k = 0; k < 10; ++k) data += "2004/01/01,00:00:0" + std::to_string(k) + ",X,1,2\r\n";
        std::ofstream(input->path() / "DATA.CSV", std::ios::binary) << data;
        std::ofstream(output->path() / "OLD.csv") << "x";
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.DivideInputFile = (input->path() / "DATA.CSV").string();
                     pc.DivideOutputPath = output->path().string();
                 }), std::int16_t{0});
    }

    void divisionRunsBehindTheProgressWindowAndListsThePieces() {
        test::WindowThreadMessages boxes;
        AppContext ctx(boxes, clock);
        frmFileDivide window(ctx);
        window.show();
        auto* divide = control<QPushButton>(window, "btnDivide");
        control<QLineEdit>(window, "txtColNo")->setText("18");
        control<QLineEdit>(window, "txtRowNo")->setText("4");

        divide->click();

        QCOMPARE(boxes.texts(), std::vector<std::string>{"File divide was completed."});
        QVERIFY(divide->isEnabled());
        // Eighteen lines a piece, the 16 header lines among them: five pieces, and one of the header alone.
        QCOMPARE(listedNames(window).join(","),
                 QString("DATA_00.CSV,DATA_01.CSV,DATA_02.CSV,DATA_03.CSV,DATA_04.CSV,DATA_05.CSV,OLD.csv"));
    }

    // Pieces of the same names are replaced only when the user agrees, asked in plain words.
    void theOverwriteQuestionIsAskedAndCancelKeepsThePieces() {
        std::ofstream(output->path() / "DATA_00.CSV") << "earlier piece";
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        window.show();
        messages.answers = {false};
        control<QPushButton>(window, "btnDivide")->click();
        QCOMPARE(messages.questions.size(), std::size_t{1});
        QCOMPARE(messages.questions[0].title, std::string("File divide"));
        QCOMPARE(messages.questions[0].text, std::string("A file of the same name exists. Overwrite it?"));
        std::ifstream piece(output->path() / "DATA_00.CSV");
        QCOMPARE(std::string(std::istreambuf_iterator<char>(piece), {}), std::string("earlier piece"));
    }

    // Until a file is chosen there is nothing to divide: a folder, as the factory setting names
    // the application folder, is no choice.
    void theWindowStartsWithNoFileChosen() {
        QCOMPARE(test::ChangeSavedSettings(messages, clock, appFolder->withSeparator(), [&](PcSettings& pc) {
                     pc.DivideInputFile = input->path().string();
                 }), std::int16_t{0});
        AppContext ctx(messages, clock);
        frmFileDivide window(ctx);
        QCOMPARE(control<QLineEdit>(window, "txtInputFile")->text(), QString());
        QVERIFY(!control<QPushButton>(window, "btnDivide")->isEnabled());
        QCOMPARE(control<QLineEdit>(window, "txtOutputPath")->text(), QString::fromStdString(output->path().string()));
    }
};

}  // namespace voltaro

QTEST_MAIN(voltaro::frmFileDivideTest)
#include "frmFileDivideTest.moc"
