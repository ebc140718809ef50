// SPDX-License-Identifier: AGPL-3.0-or-later
// The person database windows and the price pivot window, driven through their widgets.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "core/atomic_file.h"
#include "database/apd_file.h"
#include "database/record_layout.h"
#include "ui_fixture.h"

namespace quintaro::test {

namespace {

PersonRecord Person(const char* name, CivilDate born, int hour, const char* amPm) {
    PersonRecord r = BlankRecord();
    r.recordKey = "KEY" + std::string(name).substr(0, 4);
    r.primaryName = name;
    r.birthDate = DateToSerial(born);
    r.birthDateForSorting = IsoDateText(born);
    r.birthHour = static_cast<uint8_t>(hour);
    r.amPm = amPm;
    r.timeZone = 5;
    return r;
}

std::string Bytes(const std::filesystem::path& file) {
    std::string bytes;
    ReadWholeFile(file, bytes);
    return bytes;
}

template <class T = QLineEdit>
T* In(QWidget* window, const char* name) {
    T* child = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    QTEST_ASSERT(child);
    return child;
}

void Click(QWidget* window, const char* button) {
    In<QPushButton>(window, button)->click();
}

// Types a text into a field as the user would.
void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

struct DatabaseFixture : UiFixture {
    DatabaseFixture() {
        ApdWriter writer(file);
        writer.add(Person("Yates, Corin", {1972, 8, 19}, 6, "AM"));
        writer.add(Person("Abel, Nora", {1948, 3, 3}, 9, "PM"));
        writer.add(Person("Miro, Taavi", {1999, 12, 31}, 11, "PM"));
        QTEST_ASSERT(writer.commit().empty());
    }
    QWidget* open(const char* command) {
        openAnswers << QString::fromStdString(file.string());
        trigger(command);
        return child(std::string_view(command) == "mnuFileOpenDB" ? "display_personal"
                                                                  : "Athletes_db_display_form");
    }
    QWidget* child(const char* name) {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }
    std::filesystem::path file = folder.path() / "people.apd";
};

}  // namespace

class DatabaseWindowsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void personWindowPagesEditsAndSaves() {
        DatabaseFixture f;
        QWidget* person = f.open("mnuFileOpenDB");
        QVERIFY(person);
        QCOMPARE(f.requests.back().title, QStringLiteral("Specify .apd database file to load"));
        QCOMPARE(person->windowTitle(), QStringLiteral("Database display window - file loaded = ") +
                                            QString::fromStdString(f.file.string()) +
                                            QStringLiteral(" - 3 records"));
        QCOMPARE(In(person, "txtPrimaryName")->text(), QStringLiteral("Yates, Corin"));
        QCOMPARE(In(person, "txtBirthDate")->text(), QStringLiteral("08/19/1972"));

        Click(person, "cmdPreviousNext0");  // at record 1 already
        QCOMPARE(In(person, "txtRecordNumber")->text(), QStringLiteral("1"));
        Click(person, "cmdPreviousNext1");
        QCOMPARE(In(person, "txtRecordNumber")->text(), QStringLiteral("2"));
        QCOMPARE(In(person, "txtPrimaryName")->text(), QStringLiteral("Abel, Nora"));

        // Alphabetically the record after Abel is Miro, then Yates, then nothing.
        In<QCheckBox>(person, "chkDisplayAlphabetically")->setChecked(true);
        Click(person, "cmdPreviousNext1");
        QCOMPARE(In(person, "txtPrimaryName")->text(), QStringLiteral("Miro, Taavi"));
        Click(person, "cmdPreviousNext1");
        Click(person, "cmdPreviousNext1");
        QCOMPARE(In(person, "txtRecordNumber")->text(), QStringLiteral("1"));

        // A number typed and confirmed loads that record; one outside the file is refused.
        QLineEdit* number = In(person, "txtRecordNumber");
        Retype(number, QStringLiteral("9"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(number->text(), QStringLiteral("1"));
        QVERIFY(f.messages.shown.back().text.find("9") != std::string::npos);
        Retype(number, QStringLiteral("3"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(In(person, "txtPrimaryName")->text(), QStringLiteral("Miro, Taavi"));

        // An edit saved writes record 3 and nothing else.
        const std::string before = Bytes(f.file);
        Retype(In(person, "txtMiddleName"), QStringLiteral("Ilmari"));
        Click(person, "cmdSaveRecord");
        const std::string after = Bytes(f.file);
        QCOMPARE(after.size(), before.size());
        QVERIFY(after.substr(0, 2 * RecordSize) == before.substr(0, 2 * RecordSize));
        std::string error;
        QCOMPARE(QString::fromStdString(LoadRecord(f.file, 3, error)->middleName),
                 QStringLiteral("Ilmari"));
    }

    void aBadFieldKeepsTheRecordFromBeingSaved() {
        DatabaseFixture f;
        QWidget* person = f.open("mnuFileOpenDB");
        Click(person, "cmdBirthData");
        QWidget* birth = f.child("display_personal_birth");
        QVERIFY(birth);
        QCOMPARE(birth->windowTitle(),
                 QStringLiteral("Birth data changes - records in database = 3"));
        QCOMPARE(In(birth, "txtBirthHour")->text(), QStringLiteral("6"));
        const std::string before = Bytes(f.file);
        Retype(In(birth, "txtBirthHour"), QStringLiteral("14"));
        QVERIFY(!In(birth, "txtBirthHour")->styleSheet().isEmpty());
        f.messages.shown.clear();
        Click(birth, "cmdSaveRecord");
        QVERIFY(Bytes(f.file) == before);
        QVERIFY(!f.messages.shown.empty());
        QVERIFY2(f.messages.shown.back().text.find("not saved") != std::string::npos,
                 f.messages.shown.back().text.c_str());

        Retype(In(birth, "txtBirthHour"), QStringLiteral("4"));
        QVERIFY(In(birth, "txtBirthHour")->styleSheet().isEmpty());
        Click(birth, "cmdSaveRecord");
        std::string error;
        QCOMPARE(int(LoadRecord(f.file, 1, error)->birthHour), 4);
        // The person window shows the same record: the sort date sits in the birth window.
        QCOMPARE(In(birth, "txtBirthDate_for_Sorting")->text(), QStringLiteral("1972-08-19"));
        QVERIFY(In(birth, "txtBirthDate_for_Sorting")->isReadOnly());
    }

    void transferPutsTheBirthDateIntoTheNatalChart() {
        DatabaseFixture f;
        QWidget* person = f.open("mnuFileOpenDB");
        Click(person, "cmdPreviousNext1");
        Click(person, "cmdTransferBirthDate");
        QCOMPARE(f.entryWindow().field(Section::Natal, EntryField::Name)->text(),
                 QStringLiteral("Abel, Nora"));
        QCOMPARE(f.entryWindow().field(Section::Natal, EntryField::Year)->text(),
                 QStringLiteral("1948"));
        QCOMPARE(f.entryWindow().field(Section::Natal, EntryField::Month)->text(),
                 QStringLiteral("3"));
        QVERIFY(f.ws().chartsComputed);
        QCOMPARE(QString::fromStdString(f.ws().natal.name), QStringLiteral("Abel, Nora"));
    }

    void listImportOpensTheAthletesWindow() {
        DatabaseFixture f;
        const QString target = QString::fromStdString((f.folder.path() / "nhl.apd").string());
        f.openAnswers << QStringLiteral(QUINTARO_SOURCE_DIR "/data/samples/nhl_players.csv");
        f.saveAnswers << target;
        f.trigger("mnuCreateNHLPlayersDatabase");
        QWidget* athletes = f.child("Athletes_db_display_form");
        QVERIFY(athletes);
        std::string error;
        auto size = ReadApdSize(target.toStdString(), error);
        QVERIFY(size && size->records > 1);
        QCOMPARE(
            athletes->windowTitle(),
            QStringLiteral("Athletes' database display window - %1 records").arg(size->records));
        QCOMPARE(In<QLabel>(athletes, "lblData0")->text(), QStringLiteral("Team"));
        QCOMPARE(In<QLabel>(athletes, "lblData3")->text(), QStringLiteral("Weight"));
        QVERIFY(!In(athletes, "txtData0")->text().isEmpty());
        QCOMPARE(In<QListWidget>(athletes, "NamesOnFile")->count(), int(size->records));
        QCOMPARE(In(athletes, "txtBirthHour")->text(), QStringLiteral("12"));
        QCOMPARE(In(athletes, "txtBirthTZ")->text(), QStringLiteral("6"));
    }

    void dateAndTimeAreSavedInPlaceOrIntoACopy() {
        DatabaseFixture f;
        QWidget* athletes = f.open("mnuAdvancedDatabase_Athletes");
        QVERIFY(athletes);
        Click(athletes, "cmdEditDate");
        QWidget* edit = f.child("Edit_database_data_form");
        QVERIFY(edit);
        QCOMPARE(In(edit, "txtYear")->text(), QStringLiteral("1972"));
        Retype(In(edit, "txtDay"), QStringLiteral("20"));
        Retype(In(edit, "txtBirthHour"), QStringLiteral("7"));

        // "No" to the overwrite question: a copy in another file, the loaded one unchanged.
        const std::string before = Bytes(f.file);
        const auto copy = f.folder.path() / "copy.apd";
        f.messages.answer = false;
        f.saveAnswers << QString::fromStdString(copy.string());
        Click(edit, "cmdSave");
        QVERIFY(f.messages.questions.back().starts_with("Overwrite data in same file?"));
        QVERIFY(Bytes(f.file) == before);
        std::string error;
        auto copied = LoadRecord(copy, 1, error);
        QVERIFY(copied);
        QCOMPARE(QString::fromStdString(copied->birthDateForSorting), QStringLiteral("1972-08-20"));
        QCOMPARE(int(copied->birthHour), 7);
        QVERIFY(Bytes(copy).substr(RecordSize) == before.substr(RecordSize));

        // "Yes": in place.
        Click(athletes, "cmdEditTime");
        edit = f.child("Edit_database_data_form");
        Retype(In(edit, "txtDay"), QStringLiteral("21"));
        In<QRadioButton>(edit, "optPM")->click();
        f.messages.answer = true;
        Click(edit, "cmdSave");
        auto saved = LoadRecord(f.file, 1, error);
        QCOMPARE(QString::fromStdString(saved->birthDateForSorting), QStringLiteral("1972-08-21"));
        QCOMPARE(QString::fromStdString(saved->amPm), QStringLiteral("PM"));
        QCOMPARE(In(athletes, "txtBirthDate_for_Sorting")->text(), QStringLiteral("1972-08-21"));
    }

    void subsetIsBuiltAndSaved() {
        DatabaseFixture f;
        QWidget* athletes = f.open("mnuAdvancedDatabase_Athletes");
        Click(athletes, "cmdPreviousNext1");
        Click(athletes, "cmdCreateSubset");  // starts with record 2
        QWidget* subset = f.child("DatabaseSubsetCreation");
        QVERIFY(subset);
        Click(athletes, "cmdPreviousNext1");
        Click(athletes, "cmdAddToSubset");
        Click(athletes, "cmdAddToSubset");  // once only
        QCOMPARE(subset->windowTitle(), QStringLiteral("Database Subset Creation - Records = 2"));
        auto* list = In<QListWidget>(subset, "lstSubset");
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(0);
        Click(subset, "cmdDeleteHighlightedName");
        QCOMPARE(subset->windowTitle(), QStringLiteral("Database Subset Creation - Records = 1"));

        const auto target = f.folder.path() / "one.apd";
        f.saveAnswers << QString::fromStdString(target.string());
        Click(subset, "cmdSaveSubset");
        QCOMPARE(f.requests.back().title,
                 QStringLiteral("Specify .apd subset database file to save"));
        QCOMPARE(f.requests.back().proposedName, QStringLiteral("people_subset.apd"));
        QVERIFY(Bytes(target) == Bytes(f.file).substr(2 * RecordSize));
    }

    void searchGridAndBlankDatabase() {
        DatabaseFixture f;
        f.open("mnuFileOpenDB");
        f.trigger("mnuSearch");
        QWidget* search = f.child("frmSearch");
        QVERIFY(search);
        Retype(In(search, "txtSearch"), QStringLiteral("a"));
        Click(search, "cmdSearch");
        QCOMPARE(In<QLabel>(search, "lblResult")->text(), QStringLiteral("Search found 3 items"));
        Retype(In(search, "txtSearch"), QStringLiteral("zz"));
        Click(search, "cmdSearch");
        Click(search, "cmdSearch");
        QCOMPARE(In<QLabel>(search, "lblResult")->text(),
                 QStringLiteral("No items found. Please try again."));
        QCOMPARE(In<QListWidget>(search, "lstResults")->count(), 0);

        f.trigger("mnuDatabaseGrid");
        QWidget* grid = f.child("display_db_grid");
        QVERIFY(grid);
        auto* table = In<QTableWidget>(grid, "grdDatabase");
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(grid->windowTitle(),
                 QStringLiteral("Database Data Grid - ") + QString::fromStdString(f.file.string()));
        Q_EMIT table->horizontalHeader()->sectionClicked(2);  // by birth date
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Abel, Nora"));
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("Miro, Taavi"));

        // The count is asked until it is one from 1 to 99999; the new file becomes current.
        QStringList answers = {QStringLiteral("0"), QStringLiteral("lots"), QStringLiteral("4")};
        QStringList titles;
        f.window->databaseController().askText = [&](const QString& title, const QString&) {
            titles << title;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        };
        const auto blank = f.folder.path() / "blank.apd";
        f.saveAnswers << QString::fromStdString(blank.string());
        f.trigger("mnuCreateBlankDatabase");
        QCOMPARE(titles, QStringList(3, QStringLiteral("Number of records")));
        QCOMPARE(Bytes(blank).size(), 4 * RecordSize);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(f.child("display_personal")->windowTitle(),
                 QStringLiteral("Database display window - file loaded = ") +
                     QString::fromStdString(blank.string()) + QStringLiteral(" - 4 records"));
        f.screenshot(QStringLiteral("database_windows"));
    }

    void pivotWindowLoadsStepsAppendsAndSaves() {
        UiFixture f;
        const auto prices = f.folder.path() / "es.prn";
        std::ofstream(prices) << "20240304,110,100,105,101,5000,120\n"
                                 "20240305,50,50,50,49,700,121\n";
        f.trigger("mnuTradingToolsPivots");
        QWidget* pivot = f.window->findChild<QWidget*>(QStringLiteral("frmPivot"));
        QVERIFY(pivot);
        f.openAnswers << QString::fromStdString(prices.string());
        Click(pivot, "cmdLoadFile");
        QCOMPARE(f.requests.back().title, QStringLiteral("Load stock/futures file data"));
        QCOMPARE(pivot->windowTitle(), QStringLiteral("Current file = es.prn"));
        QCOMPARE(In<QPushButton>(pivot, "cmdAppendTo")->text(), QStringLiteral("Append to es.prn"));
        QCOMPARE(In<QLabel>(pivot, "lblLastDate")->text(),
                 QStringLiteral("Last date in es.prn = 05 Mar 2024"));
        QCOMPARE(In<QTableWidget>(pivot, "grdPrices")->item(0, 0)->text(),
                 QStringLiteral("03/04/2024"));

        // Day 0 by hand: P = 105, R = 10.
        Retype(In(pivot, "txtDataPoint"), QStringLiteral("0"));
        QTest::keyClick(In(pivot, "txtDataPoint"), Qt::Key_Return);
        const char* expected[] = {"105.00", "110.00", "115.00", "100.00",
                                  "95.00",  "130.00", "80.00"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(In(pivot, qPrintable(QStringLiteral("txtDataOutput%1").arg(i)))->text(),
                     QString::fromLatin1(expected[i]));
        // Day 1 has high = low: R2 = S2 = P.
        Retype(In(pivot, "txtDataPoint"), QStringLiteral("1"));
        QTest::keyClick(In(pivot, "txtDataPoint"), Qt::Key_Return);
        QCOMPARE(In(pivot, "txtDataOutput2")->text(), QStringLiteral("50.00"));
        QCOMPARE(In(pivot, "txtDataOutput4")->text(), QStringLiteral("50.00"));

        // Now gives the fixed day; an empty price writes nothing, a full day one line.
        Click(pivot, "cmdNow");
        QCOMPARE(In(pivot, "txtMonth")->text(), QStringLiteral("12"));
        QCOMPARE(In(pivot, "txtYear")->text(), QStringLiteral("2026"));
        const std::string before = Bytes(prices);
        for (int i : {0, 1, 3, 4})
            Retype(In(pivot, qPrintable(QStringLiteral("txtDataEntry%1").arg(i))),
                   QStringLiteral("7"));
        Click(pivot, "cmdAppendTo");
        QVERIFY(Bytes(prices) == before);
        Retype(In(pivot, "txtDataEntry2"), QStringLiteral("6.5"));
        Click(pivot, "cmdAppendTo");
        QCOMPARE(QString::fromStdString(Bytes(prices).substr(before.size())).left(13),
                 QStringLiteral("20261206,7,7,"));
        QCOMPARE(In<QTableWidget>(pivot, "grdPrices")->rowCount(), 3);

        Click(pivot, "cmdClear");
        QCOMPARE(In(pivot, "txtDataEntry0")->text(), QString());

        const auto csv = f.folder.path() / "levels.csv";
        f.saveAnswers << QString::fromStdString(csv.string());
        Click(pivot, "cmdSaveCSV");
        const std::string levels = Bytes(csv);
        QVERIFY2(levels.find("105.00") != std::string::npos, levels.c_str());
        QCOMPARE(std::count(levels.begin(), levels.end(), '\n'),
                 std::ptrdiff_t{4});  // heading and three days
    }
};

QUINTARO_UI_TEST(DatabaseWindowsTest);

}  // namespace quintaro::test

#include "database_windows_test.moc"
