// SPDX-License-Identifier: AGPL-3.0-or-later
// The interpretation windows: captions, window text that agrees with the rich-text file and the
// saved files, printing, the revised-text switch, the natal forms, the synchronization filter,
// revisions, a grid row's interpretation, and missing stores.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

#include "app/interpretations.h"
#include "aspects/aspect_grid.h"
#include "core/atomic_file.h"
#include "interps/report_render.h"
#include "interps/revisions.h"
#include "ui/aspect_grid_window.h"
#include "ui/report_window.h"
#include "ui/revise_window.h"
#include "ui_fixture.h"
#include "unrtf_text.h"

namespace quintaro::test {

namespace {

const QString PairFile = QStringLiteral(QUINTARO_SOURCE_DIR "/tests/interps/data/anna_ben.opt");

void LoadPair(UiFixture& f) {
    f.openAnswers << PairFile;
    f.trigger("mnuFileLoadNewData");
}

// The lines of a text that hold something: the window's document and the files agree on these
// (the window shows a new page as a page break, not as an empty line).
QStringList FilledLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty()) lines << line;
    return lines;
}

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string FileContent(const std::filesystem::path& path) {
    std::string content;
    ReadWholeFile(path, content);
    return content;
}

}  // namespace

class ReportWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void windowFileAndPrintSayTheSame() {
        UiFixture f;
        LoadPair(f);
        f.trigger("mnuInterpsLong_RomanceComp");
        ReportWindow* window = f.window->reportWindow(InterpretationView::Longitude);
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("OutputD0"));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Longitude Interpretations - Romance Compatibility"));
        const QString shown = window->text()->toPlainText();
        QVERIFY(shown.startsWith(QStringLiteral("Romance Compatibility Report for Ben and Anna")));
        QVERIFY(shown.contains(QStringLiteral("Helio Longitude Synastry Aspects")));

        // The rich-text file the window belongs to, read by an independent reader.
        QVERIFY2(UnrtfInstalled(), "unrtf is missing: run scripts/install-deps");
        const auto rtf = f.folder.path() / "reports/temp_long.rtf";
        const UnrtfResult read = ConvertWithUnrtf(rtf, f.folder.path());
        QCOMPARE(read.status, 0);
        QCOMPARE(Utf8(read.warnings), QString());
        QCOMPARE(FilledLines(shown), FilledLines(Utf8(read.text)));

        // Saved as plain text and as a web page: the same lines.
        const auto txt = f.folder.path() / "saved.txt";
        const auto html = f.folder.path() / "saved.html";
        f.saveAnswers << Utf8(txt.string()) << Utf8(html.string());
        f.requests.clear();
        QVERIFY(window->saveAs());
        QVERIFY(window->saveAs());
        QCOMPARE(f.requests.size(), size_t{2});
        QCOMPARE(f.requests[0].title, QStringLiteral("Save longitude report"));
        QVERIFY(f.requests[0].filter.startsWith(QStringLiteral("Interpretation Reports (*.txt)")));
        QCOMPARE(f.requests[0].proposedName,
                 QStringLiteral("Geo Longitude Romance Compatibility.txt"));
        QCOMPARE(f.requests[0].directory, Utf8((f.folder.path() / "reports").string()));
        QCOMPARE(FilledLines(Utf8(FileContent(txt))), FilledLines(shown));
        QTextDocument page;
        page.setHtml(Utf8(FileContent(html)));
        QCOMPARE(FilledLines(page.toPlainText()), FilledLines(shown));

        // Printed to a PDF file: pages come out.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = Utf8((f.folder.path() / "report.pdf").string());
        printer.setOutputFileName(pdf);
        QVERIFY(window->printTo(printer));
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                    bytes.count("/Type/Page") >=
                2);
        window->parentWidget()->showMaximized();
        f.screenshot(QStringLiteral("interps_longitude_report"));
    }

    void declinationWindowAndTheRevisedTextSwitch() {
        UiFixture f;
        LoadPair(f);
        f.trigger("mnuInterpsDecl_FinancialTrans");
        ReportWindow* window = f.window->reportWindow(InterpretationView::DeclinationLatitude);
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("OutputD1"));
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Declination/Latitude Interpretations - Financial Transits"));
        QVERIFY(std::filesystem::exists(f.folder.path() / "reports/temp_decl.rtf"));

        // A revision of the first aspect of the geocentric section.
        const InterpretationReport report = SessionReport(*f.session, ReportMode::FinancialTransits,
                                                          ReportScope::DeclinationLatitude, false);
        QVERIFY(!report.sections[1].rows.empty());
        const ReportRow& row = report.sections[1].rows[0];
        const auto path = RevisionPath(f.folder.path(), ReportMode::FinancialTransits,
                                       RevisionKey(row.aspectKey, false));
        QVERIFY(path);
        QCOMPARE(SaveRevision(*path, {"My own reading.", "Jo Bloggs"}, f.messages),
                 RevisionSave::Saved);
        QVERIFY(!window->text()->toPlainText().contains(QStringLiteral("My own reading.")));
        window->findChild<QCheckBox*>(QStringLiteral("chkRevised"))->click();
        const QString shown = window->text()->toPlainText();
        QVERIFY(
            shown.contains(QStringLiteral("My own reading.\n(revised text written by Jo Bloggs)")));
        // Another kind of report through the menu: the same window.
        f.trigger("mnuInterpsDecl_RomanceComp");
        QCOMPARE(f.window->reportWindow(InterpretationView::DeclinationLatitude), window);
        QCOMPARE(window->windowTitle(),
                 QStringLiteral("Declination/Latitude Interpretations - Romance Compatibility"));
    }

    void natalFormsSynchronizationsAndOverflow() {
        UiFixture f;
        LoadPair(f);
        f.trigger("mnuInterpsNatal");
        ReportWindow* natal = f.window->reportWindow(InterpretationView::Natal);
        QVERIFY(natal);
        QCOMPARE(natal->objectName(), QStringLiteral("natal_interps"));
        QCOMPARE(natal->windowTitle(), QStringLiteral("Natal Interpretations - Full"));
        const QString full = natal->text()->toPlainText();
        natal->findChild<QAction*>(QStringLiteral("mnuNatalMoneyOnly"))->trigger();
        QCOMPARE(natal->windowTitle(), QStringLiteral("Natal Interpretations - Money only"));
        QVERIFY(natal->text()->toPlainText() != full);
        natal->findChild<QAction*>(QStringLiteral("mnuNatalRomanceOnly"))->trigger();
        QCOMPARE(natal->windowTitle(), QStringLiteral("Natal Interpretations - Romance only"));
        QCOMPARE(f.session->interps.natalSet, ReportMode::NatalRomance);

        f.trigger("mnuInterpsSynch_RomanceTrans");
        ReportWindow* synch = f.window->reportWindow(InterpretationView::Synchronization);
        QVERIFY(synch);
        QCOMPARE(synch->objectName(), QStringLiteral("frmDisplaySynchInterps"));
        QCOMPARE(synch->windowTitle(),
                 QStringLiteral("Synch Longitude Interpretations - Full Romance Transits"));
        synch->findChild<QPushButton*>(QStringLiteral("cmdFilter"))->click();
        QCOMPARE(synch->windowTitle(),
                 QStringLiteral("Synch Longitude Interpretations - Filtered Romance Transits"));
        f.requests.clear();
        synch->saveAs();  // cancelled
        QCOMPARE(f.requests[0].title, QStringLiteral("Save synch longitude report"));
        QCOMPARE(f.requests[0].proposedName,
                 QStringLiteral("Synch Geo Longitude Romance Transits.txt"));

        f.trigger("mnuInterpsOverflow");
        ReportWindow* overflow = f.window->reportWindow(InterpretationView::Overflow);
        QVERIFY(overflow);
        QCOMPARE(overflow->windowTitle(), QStringLiteral("Overflow Planets"));
        QVERIFY(overflow->text()->toPlainText().startsWith(QStringLiteral("Overflow Planets")));
        QVERIFY(f.messages.shown.empty());
    }

    void revisionsAreWrittenAfterAskingBeforeOverwriting() {
        UiFixture f;
        f.trigger("mnuInterpsRevise");
        ReviseWindow* revise = f.window->findChild<ReviseWindow*>();
        QVERIFY(revise);
        QCOMPARE(revise->windowTitle(), QStringLiteral("Revise Interpretations"));
        QCOMPARE(revise->keys()->count(), 0);  // no master list yet: the user is told so
        QCOMPARE(f.messages.shown.size(), size_t{1});
        f.trigger("mnuInterpsGenerateMasterList");
        QVERIFY(std::filesystem::exists(MasterListPath(f.folder.path())));
        QCOMPARE(revise->keys()->count(), static_cast<int>(MasterListLines().size()));

        const auto items =
            revise->keys()->findItems(QStringLiteral("ven_sun_120_g "), Qt::MatchStartsWith);
        QCOMPARE(items.size(), 1);
        revise->keys()->setCurrentItem(items[0]);
        revise->findChild<QRadioButton*>(QStringLiteral("optFinancialComp"))->click();
        const std::string prepared =
            InterpretationStore(*f.session, ReportMode::FinancialCompatibility)
                .GetAt("sun_ven_flowing");
        QCOMPARE(revise->prepared()->toPlainText(), Utf8(prepared));
        QCOMPARE(revise->revised()->toPlainText(), Utf8(prepared));

        revise->revised()->setPlainText(QStringLiteral("Money flows between these two.\nEasily."));
        revise->author()->setText(QStringLiteral("Jo Bloggs"));
        revise->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        const auto path = f.folder.path() / "revised_financial_comp/mi_ven_sun_120_g.txt";
        QCOMPARE(
            revise->windowTitle(),
            QStringLiteral("Revise Interpretations - revision file saved = mi_ven_sun_120_g.txt"));
        QCOMPARE(Utf8(FileContent(path)),
                 QStringLiteral(
                     "Author: Jo Bloggs\r\n\r\nMoney flows between these two.\r\nEasily.\r\n"));

        f.messages.answer = false;
        revise->revised()->setPlainText(QStringLiteral("Changed my mind."));
        revise->findChild<QPushButton*>(QStringLiteral("cmdSave"))->click();
        QCOMPARE(f.messages.questions.size(), size_t{1});
        QCOMPARE(Utf8(f.messages.questions[0]),
                 QStringLiteral("File already exists: This file already exists. Do you wish to "
                                "overwrite it?"));
        QVERIFY(Utf8(FileContent(path)).contains(QStringLiteral("Money flows")));
        // Choosing the key again shows the revision.
        revise->findChild<QRadioButton*>(QStringLiteral("optRomanceComp"))->click();
        revise->findChild<QRadioButton*>(QStringLiteral("optFinancialComp"))->click();
        QCOMPARE(revise->revised()->toPlainText(),
                 QStringLiteral("Money flows between these two.\nEasily."));
        revise->parentWidget()->showMaximized();
        f.screenshot(QStringLiteral("interps_revise"));
    }

    void aGridRowOpensItsInterpretation() {
        UiFixture f;
        LoadPair(f);
        f.session->display.gridMode = 8;
        AspectGridWindow* grid =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspects));
        QVERIFY(grid);
        const GridModel model = grid->model();
        QVERIFY(!model.sections[0].rows.empty());
        // Table row 2 is the first aspect row of the first section.
        QTableWidget* table = grid->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(2, ColumnBody1)).center());
        ReportWindow* shown =
            f.window->findChild<ReportWindow*>(QStringLiteral("frmInterpretation"));
        QVERIFY(shown);
        const auto expected =
            GridRowInterpretation(*f.session, model.sections[0], model.sections[0].rows[0]);
        QVERIFY(expected);
        QCOMPARE(shown->windowTitle(), Utf8("Interpretation - " + expected->heading));
        QCOMPARE(shown->text()->toPlainText(), Utf8(expected->heading + "\n" + expected->text));
        QVERIFY(!expected->text.empty());
        // A title row opens nothing new.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(0, 0)).center());
        QCOMPARE(f.window->findChildren<ReportWindow*>(QStringLiteral("frmInterpretation")).size(),
                 1);
    }

    void withoutStoresTheUserIsToldAndTheWindowsStay() {
        UiFixture f;
        LoadPair(f);
        // The user points the stores' folder at an empty one.
        TempFolder empty;
        QCOMPARE(WriteFileAtomically(empty.path() / "other.dat", "not a store"), std::string());
        f.openAnswers << Utf8((empty.path() / "other.dat").string());
        f.requests.clear();
        f.trigger("mnuInterpsSelectFolder");
        QCOMPARE(f.requests[0].title,
                 QStringLiteral("Select directory where .dat files are located"));
        QVERIFY(
            f.requests[0].filter.startsWith(QStringLiteral("Velm Interpretation Files (*.dat)")));
        QCOMPARE(f.session->interps.folder, empty.path());

        f.messages.shown.clear();
        f.trigger("mnuInterpsLong_RomanceComp");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QCOMPARE(Utf8(f.messages.shown[0].text),
                 QStringLiteral("Please load interpretation files 8/9 before click here."));
        ReportWindow* window = f.window->reportWindow(InterpretationView::Longitude);
        QVERIFY(window);
        QVERIFY(window->text()->toPlainText().contains(QStringLiteral("(no interpretation text)")));
        // A new computation refreshes the window without telling the user again.
        f.click("cmdOK");
        QCOMPARE(f.messages.shown.size(), size_t{1});

        // A grid row click says the same.
        f.session->display.gridMode = 8;
        AspectGridWindow* grid =
            f.window->showGridWindow(static_cast<int>(GridWindow::LongAspects));
        QTableWidget* table = grid->table();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(2, ColumnBody1)).center());
        QCOMPARE(f.messages.shown.size(), size_t{2});
        QCOMPARE(Utf8(f.messages.shown[1].text),
                 QStringLiteral("Please load interpretation files 8/9 before click here."));
    }
};

QUINTARO_UI_TEST(ReportWindowsTest);

}  // namespace quintaro::test

#include "report_windows_test.moc"
