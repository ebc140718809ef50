// SPDX-License-Identifier: AGPL-3.0-or-later
// The printouts of the File menu, printed to a PDF file through the printer, cancelled, failed,
// and previewed.
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QTest>

#include "printed_lines.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

// Answers the print dialog with a PDF printer writing `path`, or cancels when `path` is empty.
void AnswerPrintDialog(UiFixture& f, const QString& path, QStringList* titles = nullptr) {
    f.window->printDialogs().choose = [path, titles](QPrinter& printer, const QString& title) {
        if (titles) *titles << title;
        if (path.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
}

}  // namespace

class PrintMenuTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void everyPrintoutGoesToAPdfPrinter_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("printout");
        QTest::newRow("aspects") << QStringLiteral("mnuFilePrintNatalAspects")
                                 << int(Printout::NatalAspects);
        QTest::newRow("single") << QStringLiteral("mnuFilePrintSinglePlanetsAspects")
                                << int(Printout::SinglePlanetAspects);
        QTest::newRow("natal") << QStringLiteral("mnuFilePrintNatalPositions")
                               << int(Printout::NatalPositions);
        QTest::newRow("transit") << QStringLiteral("mnuFilePrintTransitPositions")
                                 << int(Printout::TransitPositions);
        QTest::newRow("midpoints")
            << QStringLiteral("mnuFilePrintMidpoints") << int(Printout::Midpoints);
    }
    void everyPrintoutGoesToAPdfPrinter() {
        QFETCH(QString, command);
        QFETCH(int, printout);
        UiFixture f;
        f.window->controller().display().gridMode = 8;
        const QString path = QString::fromStdString((f.folder.path() / "printed.pdf").string());
        QStringList titles;
        AnswerPrintDialog(f, path, &titles);
        f.trigger(command.toLatin1().constData());
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles[0], f.window->command(command)->text());
        QVERIFY2(f.messages.shown.empty(),
                 f.messages.shown.empty() ? "" : f.messages.shown[0].text.c_str());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
        const PrintDocument document = BuildPrintout(*f.session, Printout(printout));
        // The printer's PDF names its glyphs by their codes 128..255, which a text extractor
        // takes partly as blanks and line breaks: the lines compare without glyphs and blanks.
        const auto found = WithoutGlyphsAndBlanks(SqueezedLines(PdfText(path.toStdString())));
        std::string missing;
        QVERIFY2(
            LinesInOrder(found, WithoutGlyphsAndBlanks(ExpectedPrintedLines(document)), missing),
            ("missing: " + missing).c_str());
    }

    void aCancelledDialogPrintsNothing() {
        UiFixture f;
        QStringList titles;
        AnswerPrintDialog(f, {}, &titles);
        f.trigger("mnuFilePrintMidpoints");
        QCOMPARE(titles.size(), 1);
        QVERIFY(f.messages.shown.empty());
        QVERIFY(f.window->statusBar()->currentMessage().contains(QStringLiteral("cancelled")));
    }

    void anUnwritableFileIsReportedAndNothingIsLeft() {
        UiFixture f;
        QFile plain(QString::fromStdString((f.folder.path() / "plain").string()));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("a file, not a folder");
        plain.close();
        const QString path = plain.fileName() + QStringLiteral("/printed.pdf");
        AnswerPrintDialog(f, path);
        const auto before = f.session->lists.at(Pairing::NatalNatal, CoordinateKind::GeoLongitude);
        f.trigger("mnuFilePrintNatalAspects");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QVERIFY(f.messages.shown[0].text.find("cannot be written") != std::string::npos);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(plain.size(), qint64(20));
        const auto after = f.session->lists.at(Pairing::NatalNatal, CoordinateKind::GeoLongitude);
        QCOMPARE(after.entries.size(), before.entries.size());
    }

    void thePreviewShowsThePages() {
        UiFixture f;
        int pages = 0;
        QString title;
        f.window->printDialogs().preview = [&](QPrintPreviewDialog& dialog) {
            title = dialog.windowTitle();
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            QTEST_ASSERT(preview);
            preview->updatePreview();
            pages = preview->pageCount();
        };
        f.trigger("mnuFilePrintPreviewNatalPositions");
        QCOMPARE(title, QStringLiteral("Natal positions"));
        QVERIFY(pages >= 1);
        QVERIFY(f.messages.shown.empty());
    }
};

QUINTARO_UI_TEST(PrintMenuTest);

}  // namespace quintaro::test

#include "print_menu_test.moc"
