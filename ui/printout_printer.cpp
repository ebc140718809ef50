// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/printout_printer.h"

#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include <algorithm>

#include "core/atomic_file.h"
#include "ui/painter_surface.h"
#include "wheels/print_layout.h"

namespace quintaro {

namespace {

// The margin of the printouts from the paper's edge, in points; the printer's own margins count
// towards it.
constexpr double kPaperMargin = 36;

PageGeometry PrinterPage(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QRectF paint = layout.paintRectPoints();
    const QRectF full = layout.fullRectPoints();
    const double ownMargin =
        std::min({paint.left() - full.left(), paint.top() - full.top(),
                  full.right() - paint.right(), full.bottom() - paint.bottom()});
    return {paint.width(), paint.height(), std::max(0.0, kPaperMargin - ownMargin)};
}

// file: the PDF file the printer writes, as the user named it; empty for a printer.
QString DrawPages(const PrintDocument& document, QPrinter& printer, const QString& file) {
    QPainter painter;
    if (!painter.begin(&printer))
        return !file.isEmpty() ? QStringLiteral("The file %1 cannot be written.").arg(file)
                               : QStringLiteral(
                                     "The printer could not be started. When no printer is "
                                     "installed, choose printing to a PDF file.");
    PainterSurface surface(painter, printer.width(), printer.height());
    const PrintLayout layout = LayOutPrint(document, PrinterPage(printer), surface);
    const double ruleWidth = std::max(1.0, printer.resolution() / 144.0);  // half a point
    for (std::size_t page = 0; page < layout.pages.size(); ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return QStringLiteral("The printer stopped after page %1.").arg(page);
        }
        DrawPrintedPage(layout, page, surface, ruleWidth);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return QStringLiteral("The printer reported an error; the printout may be incomplete.");
    return {};
}

}  // namespace

QString PrintOnPrinter(const PrintDocument& document, QPrinter& printer) {
    printer.setDocName(QString::fromStdString(document.name));
    const QString target =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (target.isEmpty()) return DrawPages(document, printer, {});

    // Qt writes the PDF as it goes; it goes to a file of our own, moved into place when whole.
    const QString part = target + QStringLiteral(".part");
    printer.setOutputFileName(part);
    QString error = DrawPages(document, printer, target);
    printer.setOutputFileName(target);
    if (error.isEmpty()) {
        std::string bytes;
        if (!ReadWholeFile(part.toStdString(), bytes))
            error = QStringLiteral("The file %1 cannot be written.").arg(target);
        else if (const std::string failed = WriteFileAtomically(target.toStdString(), bytes);
                 !failed.empty())
            error = QStringLiteral("The file %1 cannot be written: %2")
                        .arg(target, QString::fromStdString(failed));
    }
    QFile::remove(part);
    return error;
}

PrintDialogs StandardPrintDialogs(QWidget* parent) {
    PrintDialogs dialogs;
    dialogs.choose = [parent](QPrinter& printer, const QString& title) {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(title);
        return dialog.exec() == QDialog::Accepted;
    };
    dialogs.preview = [](QPrintPreviewDialog& dialog) { dialog.exec(); };
    return dialogs;
}

}  // namespace quintaro
