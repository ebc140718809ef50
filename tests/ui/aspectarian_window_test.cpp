// SPDX-License-Identifier: AGPL-3.0-or-later
// The aspectarian window and its merge window: a run on its worker thread behind the progress
// window (painted for every day, Cancel keeping the days done), the saved files and spreadsheet
// table read back, and the merge of saved files. Event moments are checked against published
// almanac times (UTC): new Moon 11 Jan 2024 11:57, full Moon 25 Jan 2024 17:54.
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>

#include "aspects/aspectarian_files.h"
#include "core/atomic_file.h"
#include "ui/aspectarian_merge_window.h"
#include "ui/aspectarian_window.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

template <class Widget = QWidget>
Widget* Child(QWidget* parent, const QString& name) {
    auto* child = parent->findChild<Widget*>(name);
    QTEST_ASSERT(child);
    return child;
}

VelmAspectarian* Open(UiFixture& f) {
    f.trigger("mnuAdvancedGenerateAspectarian");
    return f.window->findChild<VelmAspectarian*>();
}

// "m/d/yyyy" into the start (txtMonth, ...) and end (txtDiurnalMonth, ...) fields; times in UT.
void TypeDates(QWidget* w, const char* from, const char* to) {
    auto type = [&](const QString& field, const QString& text) {
        auto* edit = Child<FieldEdit>(w, field);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    };
    const char* parts[] = {"Month", "Day", "Year"};
    for (auto [prefix, date] : {std::pair("txt", from), std::pair("txtDiurnal", to)}) {
        const QStringList values = QString::fromLatin1(date).split(QLatin1Char('/'));
        for (int k = 0; k < 3; ++k) type(QString::fromLatin1(prefix) + parts[k], values[k]);
    }
    type(QStringLiteral("txtZone"), QStringLiteral("0"));
}

void Choose(QWidget* w, const char* list, const QStringList& names) {
    auto* widget = Child<QListWidget>(w, QString::fromLatin1(list));
    for (int row = 0; row < widget->count(); ++row)
        widget->item(row)->setSelected(names.contains(widget->item(row)->text()));
}

QStringList Pane(QWidget* w, const char* pane) {
    return Child<QPlainTextEdit>(w, QString::fromLatin1(pane))
        ->toPlainText()
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Whether a line ends in `text` and is stamped within `minutes` of the UT moment `jd`.
bool HasEvent(const QStringList& lines, const char* text, double jd, double minutes = 1) {
    for (const QString& line : lines) {
        const auto parsed = ParseEventLine(line.toStdString());
        if (!parsed || !line.endsWith(QString::fromLatin1(text))) continue;
        const CivilDate& d = parsed->stamp.date;
        const double at = DayNumber(d.year, d.month, d.day) - 0.5 +
                          (parsed->stamp.hour * 60 + parsed->stamp.minute) / 1440.0;
        if (std::abs(at - jd) * 1440 <= minutes) return true;
    }
    return false;
}

double UtJD(int year, int month, int day, int hour, int minute) {
    return DayNumber(year, month, day) - 0.5 + (hour * 60 + minute) / 1440.0;
}

// Counts the paintings of the progress bar and keeps the texts of the label when painted.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QProgressDialog* dialog) {
        dialog->findChild<QProgressBar*>()->installEventFilter(this);
        dialog->findChild<QLabel*>()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        if (qobject_cast<QProgressBar*>(watched)) ++bars;
        if (auto* label = qobject_cast<QLabel*>(watched); label && !texts.contains(label->text()))
            texts << label->text();
        return false;
    }
    int bars = 0;
    QStringList texts;
};

}  // namespace

class AspectarianWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void controlsSpinnersAndPresets() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        QVERIFY(w);
        // The transit section's date (6 Dec 2026) over 30 days.
        QCOMPARE(Child<FieldEdit>(w, QStringLiteral("txtDiurnalDay"))->text(), QStringLiteral("5"));
        QCOMPARE(Child<QCheckBox>(w, QStringLiteral("chkAspects13"))->text(),
                 QStringLiteral("032"));
        auto* transit = Child<QListWidget>(w, QStringLiteral("List1"));
        auto* natal = Child<QListWidget>(w, QStringLiteral("List2"));
        QVERIFY(transit->findItems(QStringLiteral("ascendant"), Qt::MatchExactly).isEmpty());
        QCOMPARE(natal->findItems(QStringLiteral("ascendant"), Qt::MatchExactly).size(), 1);
        QVERIFY(
            QFontInfo(Child<QPlainTextEdit>(w, QStringLiteral("RichText1"))->font()).fixedPitch());
        f.screenshot(QStringLiteral("aspectarian_window"));

        TypeDates(w, "12/15/2023", "3/1/2024");
        QTest::mouseClick(Child<SpinButtons>(w, QStringLiteral("udMonth"))->up(), Qt::LeftButton);
        QTest::mouseClick(Child<SpinButtons>(w, QStringLiteral("udDiurnalDay"))->down(),
                          Qt::LeftButton);
        const AspectarianForm& form = w->form();
        QCOMPARE(form.start.month + "/" + form.start.year, std::string("1/2024"));  // 13 wraps
        QCOMPARE(form.end.month + "/" + form.end.day, std::string("2/29"));  // day 0 wraps back
        QCOMPARE(Child<FieldEdit>(w, QStringLiteral("txtYear"))->text(), QStringLiteral("2024"));

        const std::pair<const char*, const char*> presets[] = {
            {"cmdSetClashes", "090 180"},
            {"cmdSet3", "000 120 par"},
            {"cmdSetMajor", "000 090 120 150 180 par c.p"},
            {"cmdSet4", ""}};
        for (const auto& [button, keys] : presets) {
            Press(w, button);
            QStringList ticked;
            for (int k = 0; k < 17; ++k) {
                auto* box = Child<QCheckBox>(w, QStringLiteral("chkAspects%1").arg(k));
                if (box->isChecked()) ticked << box->text();
            }
            QCOMPARE(ticked.join(QLatin1Char(' ')), QString::fromLatin1(keys));
        }
    }

    void refusesASelectionThatCannotRun() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        Child<QRadioButton>(w, QStringLiteral("optTT_TN1"))->setChecked(true);
        Choose(w, "List1", {QStringLiteral("sun")});
        Choose(w, "List2", {});
        Press(w, "cmdCalc");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QCOMPARE(f.messages.shown[0].title, std::string("Natal planet not selected"));
        QVERIFY(!w->running() && !w->progressDialog());
    }

    void runsShowsAndSavesBothPasses() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        TypeDates(w, "1/25/2024", "1/27/2024");
        Choose(w, "List1",
               {QStringLiteral("sun"), QStringLiteral("moon"), QStringLiteral("mercury"),
                QStringLiteral("mars"), QStringLiteral("venus")});
        Press(w, "cmdCalc");
        QVERIFY(w->running());
        PaintCounter paints(w->progressDialog());
        bool timerRan = false;  // the window goes on handling events during the run
        QTimer::singleShot(0, this, [&] { timerRan = true; });
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 30000);
        QVERIFY(timerRan && f.messages.shown.empty() && !w->progressDialog());
        QVERIFY2(paints.bars >= 6, qPrintable(QString::number(paints.bars)));  // 3 days, 2 passes
        QVERIFY(paints.texts.contains(QStringLiteral("Processing day 3 out of 3 days")));

        const QStringList geo = Pane(w, "RichText1");
        const QStringList helio = Pane(w, "RichText2");
        QVERIFY(HasEvent(geo, "  sun 180  moon", UtJD(2024, 1, 25, 17, 54)));
        QVERIFY(!helio.isEmpty() && helio.filter(QStringLiteral(" sun ")).isEmpty());
        f.screenshot(QStringLiteral("aspectarian_run"));

        for (auto [button, name, lines] :
             {std::tuple("cmdSaveAsGeo", "2024-01-25_to_2024-01-27_tt_geo.att", geo),
              std::tuple("cmdSaveAsHelio", "2024-01-25_to_2024-01-27_tt_helio.att", helio)}) {
            const auto path = AttFolder(f.ws().home) / name;
            f.saveAnswers << QString::fromStdString(path.string());
            Press(w, button);
            QCOMPARE(f.requests.back().proposedName, QString::fromLatin1(name));
            QCOMPARE(f.requests.back().directory,
                     QString::fromStdString(AttFolder(f.ws().home).string()));
            const AttRead read = ReadAttFile(path);
            QVERIFY2(read.file, read.problem.text.c_str());
            QStringList saved;
            for (const std::string& line : AttLineTexts(*read.file))
                saved << QString::fromStdString(line);
            QCOMPARE(saved, lines);
        }
        QCOMPARE(f.requests.front().title, QStringLiteral("Save geo aspectarian file data"));

        const auto csv = f.folder.path() / "table.csv";
        f.saveAnswers << QString::fromStdString(csv.string());
        Press(w, "cmdReformatForExcel");
        QCOMPARE(f.requests.back().proposedName, QStringLiteral("2024-01-25_to_2024-01-27_tt.csv"));
        std::string table;
        QVERIFY(ReadWholeFile(csv, table));
        const QStringList rows =
            QString::fromStdString(table).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + geo.size() + helio.size());
        QCOMPARE(rows.filter(QStringLiteral("2024-01-25,17:54,sun,180,moon,tt_geo")).size(), 1);
    }

    void singleDayIsDayOneOfOne() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        TypeDates(w, "1/11/2024", "1/11/2024");
        Choose(w, "List1", {QStringLiteral("sun"), QStringLiteral("moon")});
        Press(w, "cmdCalc");
        PaintCounter paints(w->progressDialog());
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 30000);
        QCOMPARE(paints.texts.filter(QStringLiteral("Processing")),
                 QStringList{QStringLiteral("Processing day 1 out of 1 days")});
        QVERIFY(paints.bars >= 2);  // the geocentric and the heliocentric day
        QVERIFY(HasEvent(Pane(w, "RichText1"), "  sun 000  moon", UtJD(2024, 1, 11, 11, 57)));
    }

    void cancelKeepsTheDaysDone() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        TypeDates(w, "1/1/2000", "12/31/2009");
        Choose(w, "List1", {QStringLiteral("sun"), QStringLiteral("moon"), QStringLiteral("mars")});
        Press(w, "cmdCalc");
        QProgressDialog* progress = w->progressDialog();
        QTRY_VERIFY(progress->value() >= 20);
        QVERIFY(w->running() && !Child<QPushButton>(w, QStringLiteral("cmdCalc"))->isEnabled());
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 30000);
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QCOMPARE(f.messages.shown[0].title, std::string("Operation stopped by user"));
        const AspectarianResult* result = w->result();
        QVERIFY(result && result->outcome == AspectarianOutcome::Stopped);
        const long done = result->geocentric.daysDone;
        QVERIFY(done >= 20 && done < 3653 && !result->heliocentric.ran);
        const QStringList geo = Pane(w, "RichText1");
        QVERIFY(geo.size() > 20 && Pane(w, "RichText2").isEmpty());

        // The partial list saves under the days it covers; nothing heliocentric to save.
        const std::string last = IsoDate(DaysAfter({2000, 1, 1}, done - 1));
        const auto path = f.folder.path() / "partial.att";
        f.saveAnswers << QString::fromStdString(path.string());
        Press(w, "cmdSaveAsGeo");
        QCOMPARE(f.requests.back().proposedName,
                 QString::fromStdString("2000-01-01_to_" + last + "_tt_geo.att"));
        const AttRead read = ReadAttFile(path);
        QVERIFY(read.file && int(read.file->lines.size()) == geo.size());
        QVERIFY(IsoDate(read.file->lines.back().stamp.date) <= last);
        Press(w, "cmdSaveAsHelio");
        QCOMPARE(f.messages.shown.back().title, std::string("Nothing to save"));
    }

    void transitsToTheSessionsNatalChart() {
        UiFixture f;  // the natal chart is "Now": 6 Dec 2026, 1:05 PM
        VelmAspectarian* w = Open(f);
        TypeDates(w, "11/20/2027", "12/20/2027");
        Child<QRadioButton>(w, QStringLiteral("optTT_TN1"))->setChecked(true);
        Choose(w, "List1", {QStringLiteral("sun")});
        Choose(w, "List2", {QStringLiteral("sun")});
        Press(w, "cmdSet4");
        Child<QCheckBox>(w, QStringLiteral("chkAspects0"))->setChecked(true);
        Press(w, "cmdCalc");
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 30000);
        // The Sun returns to its natal place about a tropical year (365.2422 days) later.
        const QStringList geo = Pane(w, "RichText1");
        QCOMPARE(geo.filter(QStringLiteral("  sun 000   sun")).size(), 1);
        QVERIFY2(HasEvent(geo, "  sun 000   sun", f.ws().natal.houses.ChartJD + 365.2422, 30),
                 qPrintable(geo.join(QLatin1Char('\n'))));
    }

    void mergeWindowJoinsSavedFiles() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        TypeDates(w, "1/26/2024", "1/27/2024");
        Choose(w, "List1",
               {QStringLiteral("sun"), QStringLiteral("moon"), QStringLiteral("mercury"),
                QStringLiteral("mars")});
        Press(w, "cmdCalc");
        QTRY_VERIFY_WITH_TIMEOUT(!w->running(), 30000);
        const auto folder = AttFolder(f.ws().home);
        f.saveAnswers << QString::fromStdString((folder / "a_tt_geo.att").string())
                      << QString::fromStdString((folder / "a_tt_helio.att").string());
        Press(w, "cmdSaveAsGeo");
        Press(w, "cmdSaveAsHelio");
        QCOMPARE(WriteFileAtomically(folder / "damaged.att", "Aspectarian?\n"), std::string());
        QCOMPARE(WriteFileAtomically(folder / "keep_combined.att", "old"), std::string());

        Press(w, "cmdMerge");
        FrmMerger* merger = w->findChild<FrmMerger*>();
        QVERIFY(merger && merger->isVisible());
        QCOMPARE(merger->files()->count(), 4);
        Choose(merger, "lstFiles",
               {QStringLiteral("a_tt_geo.att"), QStringLiteral("a_tt_helio.att")});
        f.saveAnswers << QString::fromStdString((folder / "both.att").string());
        Press(merger, "cmdMergeFiles");
        QCOMPARE(f.requests.back().proposedName, QStringLiteral("a_combined.att"));
        const AttRead read = ReadAttFile(folder / "both_combined.att");
        QVERIFY2(read.file, read.problem.text.c_str());
        QCOMPARE(read.file->header.subjects.size(), size_t{2});
        QCOMPARE(int(read.file->lines.size()),
                 Pane(w, "RichText1").size() + Pane(w, "RichText2").size());

        // A damaged file stops the merge with its reason; the existing target stays as it was.
        Choose(merger, "lstFiles", {QStringLiteral("a_tt_geo.att"), QStringLiteral("damaged.att")});
        f.saveAnswers << QString::fromStdString((folder / "keep_combined.att").string());
        Press(merger, "cmdMergeFiles");
        QCOMPARE(f.messages.shown.size(), size_t{1});
        QCOMPARE(f.messages.shown[0].title, std::string("Unreadable aspectarian file"));
        std::string kept;
        QVERIFY(ReadWholeFile(folder / "keep_combined.att", kept) && kept == "old");
    }

    void closingDuringARunStopsIt() {
        UiFixture f;
        VelmAspectarian* w = Open(f);
        TypeDates(w, "1/1/2000", "12/31/2009");
        Choose(w, "List1", {QStringLiteral("sun"), QStringLiteral("moon")});
        Press(w, "cmdCalc");
        QTRY_VERIFY(w->progressDialog()->value() >= 2);
        QPointer<VelmAspectarian> window(w);
        w->parentWidget()->close();  // the frame deletes the window, which stops and joins the run
        QTRY_VERIFY(!window);
        QVERIFY(f.messages.shown.empty());
    }
};

QUINTARO_UI_TEST(AspectarianWindowTest);

}  // namespace quintaro::test

#include "aspectarian_window_test.moc"
