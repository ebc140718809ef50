// SPDX-License-Identifier: AGPL-3.0-or-later
// The printouts of the File menu: the aspect listings, the positions and the midpoints, printed
// through the system's print dialog or shown in the print preview.
#include <QDir>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QStatusBar>

#include "ui/main_window.h"
#include "ui/printout_printer.h"

namespace quintaro {

namespace {

struct PrintCommand {
    Printout printout;
    const char* caption;
    const char* name;
    const char* previewCaption;
    const char* previewName;
};

constexpr PrintCommand kPrintCommands[] = {
    {Printout::NatalAspects, "Print interaspects/transits/natal aspects",
     "mnuFilePrintNatalAspects", "Interaspects/transits/natal aspects",
     "mnuFilePrintPreviewNatalAspects"},
    {Printout::SinglePlanetAspects, "Print a single planet's aspects",
     "mnuFilePrintSinglePlanetsAspects", "A single planet's aspects",
     "mnuFilePrintPreviewSinglePlanetsAspects"},
    {Printout::NatalPositions, "Print natal positions", "mnuFilePrintNatalPositions",
     "Natal positions", "mnuFilePrintPreviewNatalPositions"},
    {Printout::TransitPositions, "Print transit positions", "mnuFilePrintTransitPositions",
     "Transit positions", "mnuFilePrintPreviewTransitPositions"},
    {Printout::Midpoints, "Print midpoints", "mnuFilePrintMidpoints", "Midpoints",
     "mnuFilePrintPreviewMidpoints"},
};

const PrintCommand& CommandOf(Printout printout) {
    for (const PrintCommand& command : kPrintCommands)
        if (command.printout == printout) return command;
    return kPrintCommands[0];
}

}  // namespace

void MainWindow::buildPrintCommands(QMenu* file) {
    printDialogs_ = StandardPrintDialogs(this);
    for (const PrintCommand& command : kPrintCommands)
        addCommand(file, QString::fromLatin1(command.caption), QString::fromLatin1(command.name),
                   [this, which = command.printout] { printPrintout(which); });
    QMenu* preview = file->addMenu(QStringLiteral("Print preview"));
    preview->setObjectName(QStringLiteral("mnuFilePrintPreview"));
    for (const PrintCommand& command : kPrintCommands)
        addCommand(preview, QString::fromLatin1(command.previewCaption),
                   QString::fromLatin1(command.previewName),
                   [this, which = command.printout] { previewPrintout(which); });
}

bool MainWindow::printoutReady() {
    if (session_.workstation.chartsComputed) return true;
    session_.workstation.messages.show("Warning!",
                                       "The charts have not been computed; there is nothing to "
                                       "print yet.",
                                       MessageIcon::Exclamation);
    return false;
}

void MainWindow::printPrintout(Printout printout) {
    if (!printoutReady()) return;
    // The document is taken from the session before the dialog: printing reads, never changes.
    const PrintDocument document = BuildPrintout(session_, printout);
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without an installed printer the dialog offers the PDF file.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(
            QDir(QString::fromStdString(session_.workstation.path("\\reports").string()))
                .filePath(QString::fromUtf8(PrintoutKey(printout).data()) +
                          QStringLiteral(".pdf")));
    }
    if (!printDialogs_.choose(printer, QString::fromLatin1(CommandOf(printout).caption))) {
        statusBar()->showMessage(QStringLiteral("Printing cancelled; nothing was printed."), 5000);
        return;
    }
    const QString error = PrintOnPrinter(document, printer);
    if (!error.isEmpty())
        session_.workstation.messages.show("Warning!", error.toStdString(),
                                           MessageIcon::Exclamation);
}

void MainWindow::previewPrintout(Printout printout) {
    if (!printoutReady()) return;
    const PrintDocument document = BuildPrintout(session_, printout);
    QPrintPreviewDialog dialog(this);
    dialog.setWindowTitle(QString::fromLatin1(CommandOf(printout).previewCaption));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, &document](QPrinter* printer) {
                const QString error = PrintOnPrinter(document, *printer);
                if (!error.isEmpty())
                    session_.workstation.messages.show("Warning!", error.toStdString(),
                                                       MessageIcon::Exclamation);
            });
    printDialogs_.preview(dialog);
}

}  // namespace quintaro
