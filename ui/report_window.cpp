// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/report_window.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QPageLayout>
#include <QPrintDialog>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

#include "interps/interpretation_report.h"
#include "interps/report_render.h"
#include "ui/file_dialogs.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// The reports' page margins: 864 twips, 0.6 inch.
constexpr double PageMarginMillimetres = 864.0 / 1440.0 * 25.4;

}  // namespace

QString ReportHtml(const ReportDocument& document) {
    return Q(RenderHtml(document));
}

ReportWindow::ReportWindow(WorkstationController& controller, const ViewRequest& request,
                           QWidget* parent)
    : QWidget(parent), controller_(controller), request_(request), text_(new QTextBrowser(this)) {
    setObjectName(Q(ViewWindowName(request.view)));
    build();
    connect(&controller_, &WorkstationController::computed, this, [this] {
        request_.quiet = true;
        refresh();
        request_.quiet = false;
    });
    refresh();
}

ReportWindow::ReportWindow(WorkstationController& controller, ViewContent content, QWidget* parent)
    : QWidget(parent), controller_(controller), live_(false), text_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmInterpretation"));
    build();
    show(std::move(content));
}

void ReportWindow::build() {
    text_->setObjectName(QStringLiteral("rtfText"));
    text_->setOpenLinks(false);
    auto* print = new QPushButton(QStringLiteral("&Print"), this);
    print->setObjectName(QStringLiteral("cmdPrint"));
    auto* save = new QPushButton(QStringLiteral("Save &As"), this);
    save->setObjectName(QStringLiteral("cmdSaveAs"));
    connect(print, &QPushButton::clicked, this, &ReportWindow::print);
    connect(save, &QPushButton::clicked, this, &ReportWindow::saveAs);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(save);
    const InterpretationView view = request_.view;
    if (live_ && (view == InterpretationView::Longitude ||
                  view == InterpretationView::DeclinationLatitude)) {
        revised_ = new QCheckBox(QStringLiteral("Use revised text"), this);
        revised_->setObjectName(QStringLiteral("chkRevised"));
        connect(revised_, &QCheckBox::toggled, this, [this](bool on) {
            request_.revised = on;
            refresh();
        });
        buttons->addWidget(revised_);
    }
    if (live_ && view == InterpretationView::Synchronization) {
        filter_ = new QPushButton(QStringLiteral("&Filter"), this);
        filter_->setObjectName(QStringLiteral("cmdFilter"));
        connect(filter_, &QPushButton::clicked, this, [this] {
            request_.filtered = !request_.filtered;
            filter_->setText(request_.filtered ? QStringLiteral("Show &all")
                                               : QStringLiteral("&Filter"));
            refresh();
        });
        buttons->addWidget(filter_);
    }
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    if (live_ && view == InterpretationView::Natal) {
        auto* menu = new QMenuBar(this);
        const std::pair<ReportMode, const char*> forms[] = {
            {ReportMode::NatalFull, "mnuNatalFull"},
            {ReportMode::NatalMoney, "mnuNatalMoneyOnly"},
            {ReportMode::NatalRomance, "mnuNatalRomanceOnly"}};
        for (const auto& [mode, name] : forms) {
            QAction* action = menu->addAction(Q(ReportKindName(mode)));
            action->setObjectName(QString::fromLatin1(name));
            connect(action, &QAction::triggered, this, [this, which = mode] { setMode(which); });
        }
        layout->setMenuBar(menu);
    }
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(720, 640);
}

void ReportWindow::setMode(ReportMode mode) {
    request_.mode = mode;
    if (request_.view == InterpretationView::Natal) controller_.session().interps.natalSet = mode;
    refresh();
}

void ReportWindow::refresh() {
    if (live_) show(ShowInterpretationView(controller_.session(), request_));
}

void ReportWindow::show(ViewContent content) {
    content_ = std::move(content);
    setWindowTitle(Q(content_.caption));
    const int scroll = text_->verticalScrollBar() ? text_->verticalScrollBar()->value() : 0;
    text_->setHtml(ReportHtml(content_.document));
    if (text_->verticalScrollBar()) text_->verticalScrollBar()->setValue(scroll);
}

bool ReportWindow::printTo(QPrinter& printer) {
    printer.setPageMargins(QMarginsF(PageMarginMillimetres, PageMarginMillimetres,
                                     PageMarginMillimetres, PageMarginMillimetres),
                           QPageLayout::Millimeter);
    QTextDocument document;
    document.setHtml(ReportHtml(content_.document));
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void ReportWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Print report"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printTo(printer))
        controller_.workstation().messages.show("Warning!", "The report could not be printed.",
                                                MessageIcon::Exclamation);
}

bool ReportWindow::saveAs() {
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.save) return false;
    const ReportSaveRequest& save = content_.save;
    std::error_code ignored;
    std::filesystem::create_directories(save.folder, ignored);
    const QString file =
        dialogs.save({Q(save.title), ToolkitFilter(save.filter), QStringLiteral("txt"),
                      QString::fromStdString(save.folder.string()), Q(save.proposedName)});
    if (file.isEmpty()) return false;
    return SaveInterpretationView(controller_.session(), content_, file.toStdString());
}

}  // namespace quintaro
