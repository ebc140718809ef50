// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QPrinter>
#include <QString>
#include <functional>

#include "wheels/print_document.h"

class QPrintPreviewDialog;

namespace quintaro {

// Prints a document on a printer, page by page, laid out on the printer's page. A printer that
// writes a PDF file writes a temporary file first; the file is replaced only when every page is
// done. Empty on success, else a message for the user.
QString PrintOnPrinter(const PrintDocument& document, QPrinter& printer);

// The print dialog and the preview window of the printouts; tests put their own in. choose
// returns false when the user cancels; preview shows the dialog (modal).
struct PrintDialogs {
    std::function<bool(QPrinter&, const QString& title)> choose;
    std::function<void(QPrintPreviewDialog&)> preview;
};

// The system's print dialog and the preview window over the given parent.
PrintDialogs StandardPrintDialogs(QWidget* parent);

}  // namespace quintaro
