// SPDX-License-Identifier: AGPL-3.0-or-later
// The synchronization windows: Synch_Ratings with its panes, saves and day-by-day run,
// Symmetry_form, frmSetSymOrbs, and the small wheels they open.
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include "app/small_wheels.h"
#include "synch/symmetry.h"
#include "ui/field_edit.h"
#include "ui/report_window.h"
#include "ui/small_wheel_window.h"
#include "ui/symmetry_window.h"
#include "ui/synch_ratings_window.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

template <typename T = QWidget>
T* Find(UiFixture& f, const char* name) {
    T* found = f.window->findChild<T*>(QString::fromLatin1(name));
    QTEST_ASSERT(found);
    return found;
}

QString Text(UiFixture& f, const char* name) {
    return Find<QLineEdit>(f, name)->text();
}

QString Bytes(const QString& file) {
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    return QString::fromUtf8(in.readAll());
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The default synchronization group of the fixture's installation.
QString Group(UiFixture& f) {
    return Q((f.folder.path() / "group1.syn").string());
}

SynchRatingsWindow* OpenRatings(UiFixture& f) {
    f.trigger("mnuDataSynchRatings");
    return Find<SynchRatingsWindow>(f, "Synch_Ratings");
}

SmallWheelWindow* Wheel(UiFixture& f, const char* name) {
    auto* wheel = Find<SmallWheelWindow>(f, name);
    wheel->parentWidget()->showMaximized();
    QApplication::processEvents();
    wheel->canvas()->repaint();
    return wheel;
}

}  // namespace

class SynchWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void ratingsWindowOpensWithItsFieldsAndNothingComputed() {
        UiFixture f;
        OpenRatings(f);
        QCOMPARE(Text(f, "txtOuterOrb_gl"), QStringLiteral("1.00"));
        QCOMPARE(Text(f, "txtOuterOrb_hlat"), QStringLiteral("0.30"));
        QCOMPARE(Text(f, "txtMonth"), QStringLiteral("12"));  // the transit chart's, Dec 2026
        QCOMPARE(Text(f, "txtYear"), QStringLiteral("2026"));
        QCOMPARE(Text(f, "txtDiurnalMonth"), QStringLiteral("12"));
        for (const char* button : {"cmdLoadDGLWindow", "cmdLoadDHLWindow", "cmdLoadSGLWindow",
                                   "cmdLoadSHLWindow", "cmdSaveSynch"})
            QVERIFY(!Find<QPushButton>(f, button)->isEnabled());
        QVERIFY(QFontInfo(Find<QPlainTextEdit>(f, "txtSynchs")->font()).fixedPitch());

        // The month spinner wraps both ways.
        auto* spin = Find<SpinButtons>(f, "udMonth");
        spin->up()->click();
        QCOMPARE(Text(f, "txtMonth"), QStringLiteral("1"));
        spin->down()->click();
        QCOMPARE(Text(f, "txtMonth"), QStringLiteral("12"));

        f.click("cmdCalcSynchOneDay");
        QCOMPARE(f.messages.shown.back().title, std::string("No file found"));
        QCOMPARE(f.messages.shown.back().text,
                 std::string("You have not specified a synch file to use - please do so."));
        QVERIFY(!Find<QPushButton>(f, "cmdLoadDGLWindow")->isEnabled());
    }

    void oneDayFillsThePanesAndSavesThem() {
        UiFixture f;
        OpenRatings(f);
        const QString second = Q((f.folder.path() / "second.syn").string());
        QFile out(second);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("venus-n\nmars-n\njupiter-t\nsaturn-t\nplato-n\n");
        out.close();
        f.openAnswers << Group(f) + QLatin1Char('|') + second;
        f.click("cmdLoadSynchFiles");
        QCOMPARE(f.requests.back().title, QStringLiteral("Load synchronization file data"));
        QCOMPARE(Find<QListWidget>(f, "lstSynchFiles")->count(), 2);

        // The member-selection window names the loaded file.
        f.click("cmdCreate_Select_Sync");
        QCOMPARE(Find(f, "Syn_Opt")->windowTitle(),
                 QStringLiteral("Wizard/synchronization from ") + Group(f));

        auto* orb = Find<FieldEdit>(f, "txtOuterOrb_gl");
        orb->selectAll();
        QTest::keyClick(orb, Qt::Key_Backspace);
        QTest::keyClicks(orb, QStringLiteral("2x.5"));  // the field takes digits and "." only
        QCOMPARE(orb->text(), QStringLiteral("2.5"));
        f.click("cmdCalcSynchOneDay");
        const SynchSession& synch = f.session->synch;
        QVERIFY(synch.synchComputed);
        QCOMPARE(Find<QPlainTextEdit>(f, "txtSynchs")->toPlainText(), Q(synch.day.synchPane));
        QCOMPARE(Find<QPlainTextEdit>(f, "txtNatal")->toPlainText(), Q(synch.day.natalPane));
        QCOMPARE(Find<QPlainTextEdit>(f, "txtTransits")->toPlainText(), Q(synch.day.transitPane));
        QVERIFY(Find<QPushButton>(f, "cmdLoadDGLWindow")->isEnabled());
        QVERIFY(synch.day.foundPane.find("end of synch file used - " + second.toStdString()) !=
                std::string::npos);
        f.screenshot(QStringLiteral("synch_ratings"));

        const char* saves[] = {"cmdSaveSynch", "cmdSaveNatal", "cmdSaveTransits"};
        const char* titles[] = {"Save synchronization one day file data",
                                "Save NATAL synchronization one day file data",
                                "Save TRANSIT synchronization one day file data"};
        const std::string* texts[] = {&synch.day.synchPane, &synch.day.natalPane,
                                      &synch.day.transitPane};
        for (int k = 0; k < 3; ++k) {
            const QString file = Q((f.folder.path() / ("pane" + std::to_string(k))).string());
            f.saveAnswers << file;
            f.click(saves[k]);
            QCOMPARE(f.requests.back().title, QString::fromLatin1(titles[k]));
            QVERIFY(f.requests.back().directory.endsWith(QStringLiteral("reports")));
            QCOMPARE(Bytes(file), Q(*texts[k]));
        }
    }

    void smallSynchronizationWheelsStepAndReport() {
        UiFixture f;
        OpenRatings(f);
        f.openAnswers << Group(f);
        f.click("cmdLoadSynchFiles");
        for (const char* name : {"txtOuterOrb_gl", "txtOuterOrb_hl"}) {
            auto* orb = Find<FieldEdit>(f, name);
            orb->selectAll();
            QTest::keyClicks(orb, QStringLiteral("2.5"));
        }
        f.click("cmdCalcSynchOneDay");
        const SynchSession& synch = f.session->synch;
        const auto& records = synch.day.of(SynchKind::GeoLongitude).records;
        QVERIFY(records.size() >= 2);
        const QString count = QString::number(records.size());

        f.click("cmdLoadDGLWindow");
        SmallWheelWindow* wheel = Wheel(f, "wheels_small_geo");
        QCOMPARE(wheel->windowTitle(), QStringLiteral("Geo synchronization #1 out of ") + count +
                                           QStringLiteral(" - priority index = ") +
                                           QString::number(records[0].priority) +
                                           QStringLiteral(" for ") + Q(records[0].line));
        // Only the synchronization's bodies are drawn.
        QCOMPARE(wheel->layout().glyphs.size(), records[0].members.size());

        wheel->command(QStringLiteral("mnuBackward"))->trigger();
        QCOMPARE(wheel->position().index, static_cast<int>(records.size()));
        wheel->command(QStringLiteral("mnuForward"))->trigger();
        QCOMPARE(wheel->position().index, 1);
        QVERIFY(wheel->windowTitle().startsWith(QStringLiteral("Geo synchronization #1 out of")));

        // The click report of the first glyph.
        wheel->canvas()->repaint();
        const WheelLayout& layout = wheel->layout();
        const PlacedGlyph& glyph = layout.glyphs.front();
        const DeviceMapping map{layout.scale, static_cast<double>(wheel->canvas()->width()),
                                static_cast<double>(wheel->canvas()->height())};
        const Point inside = map.toDevice(
            {glyph.anchor.x + layout.cellWidth / 2, glyph.anchor.y - layout.cellHeight / 2});
        QTest::mouseClick(wheel->canvas(), Qt::LeftButton, {},
                          QPoint(static_cast<int>(inside.x), static_cast<int>(inside.y)));
        QVERIFY2(wheel->report().contains(QStringLiteral(" is at ")), qPrintable(wheel->report()));
        QVERIFY(
            wheel->report().contains(QRegularExpression(QStringLiteral(" is at \\d\\d\\.\\d\\d"))));

        QAction* degrees = wheel->command(QStringLiteral("mnuDisplayDegrees"));
        QCOMPARE(degrees->text(), QStringLiteral("Display degrees ON (toggle)"));
        degrees->trigger();
        QCOMPARE(degrees->text(), QStringLiteral("Display degrees OFF (toggle)"));
        QVERIFY(!f.session->synch.smallWheelDegrees);

        // The main window hands the synchronization interpretations to the wheels.
        QAction* interpretations = wheel->command(QStringLiteral("mnuInterpretations"));
        QVERIFY(interpretations->isEnabled());
        wheel->forward();
        interpretations->trigger();
        auto* report = f.window->findChild<ReportWindow*>(QStringLiteral("frmDisplaySynchInterps"));
        QVERIFY(report);
        // It opens at the synchronization the wheel shows, in the geocentric section.
        const QTextCursor at = report->text()->textCursor();
        QCOMPARE(at.selectedText().simplified(), Q(records[1].line).simplified());
        const QTextCursor helio =
            report->text()->document()->find(QStringLiteral("Helio longitude synchronization"));
        QVERIFY(!helio.isNull() && at.position() < helio.position());
        wheel->backward();
        // Without a display to open the entry waits; a display hears the synchronization's
        // number in priority order.
        f.session->synch.openInterpretations = {};
        f.window->controller().refreshDisplays();
        QVERIFY(!interpretations->isEnabled());
        std::vector<int> opened;
        f.session->synch.openInterpretations = [&opened](SynchKind, int index) {
            opened.push_back(index);
        };
        f.window->controller().refreshDisplays();
        wheel->forward();
        interpretations->trigger();
        QCOMPARE(opened, std::vector<int>{2});

        // Mode 0: the order of finding, without the priority.
        f.click("cmdLoadSGLWindow");
        QCOMPARE(wheel->position().mode, 0);
        QCOMPARE(wheel->windowTitle(), QStringLiteral("Geo synchronization #1 out of ") + count);
        const SynchRecord* shown = SmallWheelSynch(synch, wheel->position());
        QVERIFY(shown && shown->found == 1);

        const QString pdf = Q((f.folder.path() / "small.pdf").string());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(wheel->print(printer));
        QVERIFY(Bytes(pdf).startsWith(QStringLiteral("%PDF")));
        f.screenshot(QStringLiteral("small_synch_wheel"));
    }

    void dayByDayWritesTheMonthAndStopsOnCancel() {
        UiFixture f;
        OpenRatings(f);
        f.openAnswers << Group(f);
        f.click("cmdLoadSynchFiles");
        const QString sbd = Q((f.folder.path() / "reports" / "dec.sbd").string());
        f.saveAnswers << sbd;
        f.click("cmdCalcSynchForDays");
        QCOMPARE(f.requests.back().title,
                 QStringLiteral("Save synchronization day by day file data"));
        const QString text = Bytes(sbd);
        QVERIFY(text.startsWith(QStringLiteral("Synchronization Files Used\n{") + Group(f)));
        QCOMPARE(text.count(QStringLiteral("START OF NEW DAY")), 31);
        QVERIFY(text.contains(QStringLiteral("\n31 Dec 2026\n")));
        QCOMPARE(f.entry().transit.day, std::string("6"));  // the transit date is put back
        QVERIFY(Find<QLabel>(f, "lblStatus")->text().contains(sbd));

        // Cancelled from the progress window between two days: nothing written.
        const QString cancelled = Q((f.folder.path() / "reports" / "cancelled.sbd").string());
        f.saveAnswers << cancelled;
        QTimer canceller;
        int cancels = 0;
        connect(&canceller, &QTimer::timeout, [&] {
            if (auto* dialog =
                    f.window->findChild<QProgressDialog*>(QStringLiteral("dlgSynchProgress"));
                dialog && dialog->value() >= 3) {
                dialog->cancel();
                ++cancels;
            }
        });
        canceller.start(0);
        f.click("cmdCalcSynchForDays");
        canceller.stop();
        QVERIFY(cancels > 0);
        QVERIFY(!QFile::exists(cancelled));
        QCOMPARE(f.messages.shown.back().text, std::string("Operation stopped by user"));

        // Cancelling the file dialog runs nothing.
        const size_t shown = f.messages.shown.size();
        f.click("cmdCalcSynchForDays");
        QCOMPARE(f.messages.shown.size(), shown);
    }

    void symmetryWindowAndOrbs() {
        UiFixture f;
        f.trigger("mnuDataSetSymmetricalOrbs");
        // The entry window has orb fields of the same names: look inside the orbs window.
        QWidget* orbs = Find(f, "frmSetSymOrbs");
        auto* geo = orbs->findChild<FieldEdit*>(QStringLiteral("txtOrb_gl"));
        auto* helio = orbs->findChild<FieldEdit*>(QStringLiteral("txtOrb_hl"));
        QCOMPARE(geo->text(), QStringLiteral("3.00"));
        QCOMPARE(helio->text(), QStringLiteral("3.00"));
        geo->selectAll();
        QTest::keyClicks(geo, QStringLiteral("1.5"));
        f.click("cmdApply");
        QCOMPARE(f.session->synch.symmetryOrbs[0], 1.5);
        QCOMPARE(f.session->synch.symmetryOrbs[1], 3.0);
        QCOMPARE(geo->text(), QStringLiteral("1.50"));

        f.trigger("mnuDataFindSymmetricalPatterns");
        auto* form = Find<SymmetryWindow>(f, "Symmetry_form");
        f.click("cmdCalcSymmetricalPatterns");
        QCOMPARE(f.messages.shown.back().title, std::string("No file found"));
        QVERIFY(!Find<QPushButton>(f, "cmdLoadDGLWindow")->isEnabled());

        f.openAnswers << Group(f);
        f.click("cmdLoadSynchFiles");
        f.click("cmdCalcSymmetricalPatterns");
        QCOMPARE(form->heading(),
                 QStringLiteral("Symmetrical patterns using planets in ") + Group(f));
        const SynchSession& synch = f.session->synch;
        QCOMPARE(form->patterns()->toPlainText(), Q(SymmetryListing(synch.symmetry)));
        const auto& patterns = synch.symmetry.of(SymmetryKind::Geocentric).patterns;
        QVERIFY(!patterns.empty());

        f.click("cmdLoadDGLWindow");
        SmallWheelWindow* wheel = Wheel(f, "wheels_small_sym_geo");
        QCOMPARE(wheel->windowTitle(), QStringLiteral("Geo symmetrical #1 out of ") +
                                           QString::number(patterns.size()) +
                                           QStringLiteral(" for ") + Q(patterns[0].text));
        QVERIFY(!wheel->command(QStringLiteral("mnuInterpretations")));
        QCOMPARE(wheel->layout().glyphs.size(), patterns[0].members.size());
        f.click("cmdLoadSGLWindow");
        QCOMPARE(wheel->position().index, FirstMixedPattern(synch, SmallWheel::SymmetryGeo));
        f.screenshot(QStringLiteral("small_symmetry_wheel"));
    }

    void theSelectionWindowCanServeAsTheSource() {
        UiFixture f;
        OpenRatings(f);
        f.click("cmdCreate_Select_Sync");
        f.click("cmdApply");  // the Syn_Opt window's, with the default group's members
        f.click("cmdCalcSynchOneDay");
        QVERIFY(f.session->synch.synchComputed);
        QCOMPARE(Find<QListWidget>(f, "lstSynchFiles")->item(0)->text(),
                 QStringLiteral("Select Synch Planets form"));
        QVERIFY(f.session->synch.day.foundPane.find(
                    "end of synch file used from Select Synch Planets form") != std::string::npos);
    }
};

QUINTARO_UI_TEST(SynchWindowsTest);

}  // namespace quintaro::test

#include "synch_windows_test.moc"
