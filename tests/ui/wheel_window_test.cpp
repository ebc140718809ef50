// SPDX-License-Identifier: AGPL-3.0-or-later
// The "Chartwheels" window: drawing, the click report and clipboard, and the export formats.
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QTest>

#include "ui/wheel_export.h"
#include "ui/wheel_window.h"
#include "ui_fixture.h"
#include "wheels/wheel_layout.h"

namespace quintaro::test {

namespace {

void EnterChristmas1990Afternoon(UiFixture& f) {
    f.type(Section::Natal, EntryField::Month, QStringLiteral("12"));
    f.type(Section::Natal, EntryField::Day, QStringLiteral("25"));
    f.type(Section::Natal, EntryField::Year, QStringLiteral("1990"));
    f.type(Section::Natal, EntryField::Hour, QStringLiteral("3"));
    f.type(Section::Natal, EntryField::Minute, QStringLiteral("30"));
    f.window->findChild<QRadioButton*>(QStringLiteral("optPM"))->click();
    f.click("cmdOK");
}

// How many distinct colours an image holds (a blank image holds one).
int Colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) seen.insert(image.pixel(x, y));
    return static_cast<int>(seen.size());
}

}  // namespace

class WheelWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void wheelDrawsAndReportsTheClickedBody() {
        UiFixture f;
        EnterChristmas1990Afternoon(f);
        f.trigger("mnuVelmCharts");
        WheelWindow* wheel = f.window->findChild<WheelWindow*>();
        QVERIFY(wheel);
        QCOMPARE(wheel->windowTitle(), QStringLiteral("Chartwheels"));
        wheel->parentWidget()->showMaximized();
        QApplication::processEvents();
        wheel->canvas()->repaint();
        const PlacedGlyph* sun = FindGlyph(wheel->layout(), 1);
        QVERIFY(sun);
        const double before = sun->longitude;  // the layout is replaced at every paint
        const WheelLayout& layout = wheel->layout();
        const DeviceMapping map{layout.scale, static_cast<double>(wheel->canvas()->width()),
                                static_cast<double>(wheel->canvas()->height())};
        const Point inside = map.toDevice(
            {sun->anchor.x + layout.cellWidth / 2, sun->anchor.y - layout.cellHeight / 2});
        QTest::mouseClick(wheel->canvas(), Qt::LeftButton, {},
                          QPoint(static_cast<int>(inside.x), static_cast<int>(inside.y)));
        // Natal Sun at 273.794 (Swiss Ephemeris, 25 Dec 1990 20:30 UT).
        QVERIFY2(wheel->report().startsWith(QStringLiteral(" Natal ")),
                 qPrintable(wheel->report()));
        QVERIFY2(wheel->report().contains(QStringLiteral(" is at 273.79")),
                 qPrintable(wheel->report()));
        const QString clip = QGuiApplication::clipboard()->text();
        QVERIFY2(
            clip.startsWith(QStringLiteral("geo_nat_")) && clip.contains(QStringLiteral("273.79")),
            qPrintable(clip));
        f.screenshot(QStringLiteral("wheel_natal_transit"));

        // A recomputation redraws: the Sun's glyph moves with a 60-day step.
        wheel->parentWidget()->showNormal();  // the entry window shows again beside it
        f.typeOption(OptionField::Delta, QStringLiteral("60 d"));
        f.click("cmdNext");
        wheel->canvas()->repaint();
        const PlacedGlyph* moved = FindGlyph(wheel->layout(), 1);
        QVERIFY(moved);
        QVERIFY(std::fabs(moved->longitude - before) > 50);
    }

    void natalOnlyViewDropsTheTransitGlyphs() {
        UiFixture f;
        EnterChristmas1990Afternoon(f);
        WheelWindow* wheel = f.window->showWheelWindow();
        wheel->parentWidget()->showMaximized();
        wheel->canvas()->repaint();
        auto transitGlyphs = [&] {
            int count = 0;
            for (const PlacedGlyph& glyph : wheel->layout().glyphs) count += glyph.body > BodyCount;
            return count;
        };
        QVERIFY(transitGlyphs() > 0);
        wheel->findChild<QCheckBox*>(QStringLiteral("chkWithTransit"))->click();
        wheel->canvas()->repaint();
        QCOMPARE(transitGlyphs(), 0);
        QVERIFY(FindGlyph(wheel->layout(), 1));
        f.screenshot(QStringLiteral("wheel_natal"));
    }

    void printWheelDrawsOnAPdfPrinter() {
        UiFixture f;
        EnterChristmas1990Afternoon(f);
        const QString path = QString::fromStdString((f.folder.path() / "printed.pdf").string());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        WheelWindow* wheel = f.window->showWheelWindow();
        WheelTarget target;
        target.printer = true;
        QVERIFY(PrintWheel(wheel->input(target), printer));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(4) == "%PDF");
        QVERIFY(file.size() > 2000);
    }

    void exportWritesPngSvgAndPdf_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << QStringLiteral("wheel.png");
        QTest::newRow("svg") << QStringLiteral("wheel.svg");
        QTest::newRow("pdf") << QStringLiteral("wheel.pdf");
    }
    void exportWritesPngSvgAndPdf() {
        QFETCH(QString, name);
        UiFixture f;
        EnterChristmas1990Afternoon(f);
        const QString path =
            QString::fromStdString((f.folder.path() / name.toStdString()).string());
        f.saveAnswers << path;
        f.trigger("mnuFileExportWheel");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        if (name.endsWith(QLatin1String(".png"))) {
            const QImage image = QImage::fromData(data, "PNG");
            QCOMPARE(image.width(), 900);
            QVERIFY(Colours(image) > 4);
            image.save(QStringLiteral(QUINTARO_BINARY_DIR "/screenshots/wheel_export.png"));
        } else if (name.endsWith(QLatin1String(".svg"))) {
            QVERIFY(data.contains("<svg"));
            QVERIFY(data.contains("<path"));  // glyphs drawn as outlines
        } else {
            QVERIFY(data.startsWith("%PDF"));
        }
        QVERIFY(f.messages.shown.empty());
    }
};

QUINTARO_UI_TEST(WheelWindowTest);

}  // namespace quintaro::test

#include "wheel_window_test.moc"
