// SPDX-License-Identifier: AGPL-3.0-or-later
// Wheel files exported from the window are written whole or not at all.
#include <QTest>

#include "app/wheel_input_builder.h"
#include "core/atomic_file.h"
#include "ui/wheel_export.h"
#include "ui_fixture.h"

namespace quintaro::test {

class WheelExportTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
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

QUINTARO_UI_TEST(WheelExportTest);

}  // namespace quintaro::test

#include "wheel_export_test.moc"
