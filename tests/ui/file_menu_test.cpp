// SPDX-License-Identifier: AGPL-3.0-or-later
// The chart data file commands of the File menu, with answered dialogs.
#include <QFile>
#include <QRadioButton>
#include <QTest>

#include "ui_fixture.h"

namespace quintaro::test {

namespace {

void EnterAlice(UiFixture& f) {
    f.type(Section::Natal, EntryField::Name, QStringLiteral("Alice"));
    f.type(Section::Natal, EntryField::Month, QStringLiteral("12"));
    f.type(Section::Natal, EntryField::Day, QStringLiteral("25"));
    f.type(Section::Natal, EntryField::Year, QStringLiteral("1990"));
    f.type(Section::Natal, EntryField::Hour, QStringLiteral("12"));
    f.type(Section::Natal, EntryField::Minute, QStringLiteral("5"));
    f.window->findChild<QRadioButton*>(QStringLiteral("optAM"))->click();
    f.trigger("mnuDataCoordinatesEST");  // 73 59 W, 40 46 N
}

QString FileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

class FileMenuTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void saveAsProposesTheNamesAndLoadRestoresTheFields() {
        UiFixture f;
        EnterAlice(f);
        const QString path = QString::fromStdString((f.folder.path() / "alice.opt").string());
        f.saveAnswers << path;
        f.trigger("mnuFileSaveAsData");
        QCOMPARE(f.requests.size(), size_t{1});
        QCOMPARE(f.requests[0].title, QStringLiteral("Save natal and transit data"));
        QCOMPARE(f.requests[0].proposedName, QStringLiteral("AliceTransits.opt"));
        QCOMPARE(f.requests[0].defaultSuffix, QStringLiteral("opt"));
        const QString text = FileText(path);
        QVERIFY(text.startsWith(QStringLiteral("\"Alice\"")));
        // 12:05 AM is hour 0; 73 59 West is 73 + 59 x 1.66667 / 100 = 73.98334.
        QVERIFY2(text.section('\n', 0, 0)
                     .simplified()
                     .startsWith(QStringLiteral("\"Alice\" 1990 12 25 0 5")),
                 qPrintable(text));
        QVERIFY2(text.section('\n', 1, 1).contains(QStringLiteral("73.98334")), qPrintable(text));

        f.type(Section::Natal, EntryField::Year, QStringLiteral("1999"));
        f.type(Section::Natal, EntryField::LongMin, QStringLiteral("10"));
        f.openAnswers << path;
        f.trigger("mnuFileLoadNewData");
        QCOMPARE(f.requests.back().title, QStringLiteral("Load natal and transit data"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Year), QStringLiteral("1990"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Hour), QStringLiteral("12"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::Minute), QStringLiteral("5"));
        QCOMPARE(Shown(f, Section::Natal, EntryField::LongMin), QStringLiteral("59"));
        QVERIFY(f.window->findChild<QRadioButton*>(QStringLiteral("optAM"))->isChecked());
        QCOMPARE(f.ws().natal.data.year, 1990);  // recomputed

        // "Save" now writes to the loaded file without asking.
        f.type(Section::Natal, EntryField::Name, QStringLiteral("Bob"));
        const size_t asked = f.requests.size();
        f.trigger("mnuFileSaveData");
        QCOMPARE(f.requests.size(), asked);
        QVERIFY(FileText(path).startsWith(QStringLiteral("\"Bob\"")));
    }

    void cancelledDialogsChangeNothing() {
        UiFixture f;
        EnterAlice(f);
        f.trigger("mnuFileLoadNewData");  // no answer: cancelled
        QCOMPARE(Shown(f, Section::Natal, EntryField::Name), QStringLiteral("Alice"));
        f.trigger("mnuFileSaveData");  // nothing known yet: asks, cancelled
        QCOMPARE(f.requests.size(), size_t{2});
        QVERIFY(!std::filesystem::exists(f.folder.path() / "AliceTransits.opt"));
    }

    void natalOnlyAndLoadAsTransit() {
        UiFixture f;
        EnterAlice(f);
        const QString path = QString::fromStdString((f.folder.path() / "alice.opt").string());
        f.saveAnswers << path;
        f.trigger("mnuFileSaveAsData");

        f.type(Section::Natal, EntryField::Year, QStringLiteral("1999"));
        f.type(Section::Transit, EntryField::Year, QStringLiteral("2010"));
        f.openAnswers << path;
        f.trigger("mnuFile_LoadNatalDataOnly");
        QCOMPARE(Shown(f, Section::Natal, EntryField::Year), QStringLiteral("1990"));
        QCOMPARE(Shown(f, Section::Transit, EntryField::Year), QStringLiteral("2010"));

        f.openAnswers << path;
        f.click("cmdLoadAsTransit");
        QCOMPARE(f.requests.back().title, QStringLiteral("Load natal data into transit section"));
        QCOMPARE(Shown(f, Section::Transit, EntryField::Name), QStringLiteral("Alice"));
        QCOMPARE(Shown(f, Section::Transit, EntryField::Year), QStringLiteral("1990"));
        QCOMPARE(Shown(f, Section::Transit, EntryField::Hour), QStringLiteral("12"));
        QCOMPARE(f.ws().transit.data.year, 1990);  // recomputed
    }
};

QUINTARO_UI_TEST(FileMenuTest);

}  // namespace quintaro::test

#include "file_menu_test.moc"
