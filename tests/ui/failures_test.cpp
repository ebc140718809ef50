// SPDX-License-Identifier: AGPL-3.0-or-later
// The windows when a chart cannot be computed whole: blank cells for bodies without data, no
// chart for a moment outside the ephemeris, and wheel files written whole or not at all.
#include <QFile>
#include <QTest>

#include "app/wheel_input_builder.h"
#include "core/atomic_file.h"
#include "core/ephemeris_loader.h"
#include "ui/wheel_export.h"
#include "ui_fixture.h"

namespace quintaro::test {

class FailuresTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void bodiesWithoutDataLeaveTheirCellsBlank() {
        UiFixture f;
        QVERIFY(!f.gridCell(SlotMercury, 2).isEmpty());
        // ephem001.dat (Mercury, Venus, Earth, Mars) damaged while the workstation runs.
        std::filesystem::resize_file(LoadFolderPath(f.ws().home) / "ephem001.dat", 300000);
        OpenPlanetFiles(f.ws().home, f.ws().ephemeris);
        f.click("cmdOK");
        for (int slot : {SlotMercury, SlotVenus, SlotMars})
            for (int column = 2; column <= 5; ++column)
                QVERIFY2(f.gridCell(slot, column).isEmpty(), qPrintable(f.gridCell(slot, column)));
        QCOMPARE(f.gridCell(SlotMercury, 1), QStringLiteral("MER"));
        QVERIFY(!f.gridCell(SlotJupiter, 2).isEmpty());
    }

    void aNatalDateOutsideTheEphemerisShowsNoChart() {
        UiFixture f;
        f.type(Section::Natal, EntryField::Year, QStringLiteral("2100"));
        f.click("cmdOK");
        bool told = false;
        for (const auto& shown : f.messages.shown)
            told |= shown.text.find("which covers 1900-01-01 to 2050-01-01") != std::string::npos;
        QVERIFY(told);
        for (int slot : {SlotSun, SlotMoon, SlotAscendant})
            for (int column = 2; column <= 5; ++column) QVERIFY(f.gridCell(slot, column).isEmpty());
    }

    // A PDF export replaces the file in one step: a link at the target's place is replaced, the
    // file it pointed to keeps its content (writing into the target would have changed it).
    void aPdfExportReplacesTheFileWhole() {
        UiFixture f;
        const std::filesystem::path target = f.folder.path() / "wheel.pdf";
        const std::filesystem::path other = f.folder.path() / "other.pdf";
        QVERIFY(WriteFileAtomically(other, "keep me").empty());
        std::filesystem::create_symlink(other, target);
        WheelInput input = BuildWheelInput(*f.session, {true, false}, {});
        const QString error = ExportWheel(input, QString::fromStdString(target.string()), 600,
                                          f.ws().home / "orvessa_paths.txt", f.messages);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!std::filesystem::is_symlink(target));
        std::string pdf, kept;
        QVERIFY(ReadWholeFile(target, pdf) && ReadWholeFile(other, kept));
        QVERIFY(pdf.starts_with("%PDF"));
        QVERIFY(pdf.find("/Type /Page") != std::string::npos);
        QCOMPARE(kept, std::string("keep me"));
        // Into a folder that does not exist: an error, and nothing is left behind.
        const QString missing =
            QString::fromStdString((f.folder.path() / "none" / "wheel.pdf").string());
        QVERIFY(!ExportWheel(input, missing, 600, {}, f.messages).isEmpty());
        QVERIFY(!std::filesystem::exists(f.folder.path() / "none"));
    }
};

QUINTARO_UI_TEST(FailuresTest);

}  // namespace quintaro::test

#include "failures_test.moc"
