// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QWidget>
#include <optional>

#include "app/interpretation_views.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// An interpretation window: OutputD0 (longitudes), OutputD1 (declinations and latitudes),
// frmDisplaySynchInterps (synchronizations, with its filter command), natal_interps (with the
// menu of the full, romance-only and money-only forms), Overflow, and frmInterpretation (one
// grid row's interpretation). It shows the view's document as rich text; printing prints that
// document and saving writes the same document, so window, paper and file say the same.
class ReportWindow : public QWidget {
    Q_OBJECT
  public:
    // A view of the session, rebuilt after every computation.
    ReportWindow(WorkstationController& controller, const ViewRequest& request,
                 QWidget* parent = nullptr);
    // Fixed content (a grid row's interpretation).
    ReportWindow(WorkstationController& controller, ViewContent content, QWidget* parent = nullptr);

    const ViewContent& content() const { return content_; }
    const ViewRequest& request() const { return request_; }
    QTextBrowser* text() const { return text_; }
    // Shows another report kind or form of the same view.
    void setMode(ReportMode mode);
    void refresh();
    // Prints the document on the printer; false when it cannot.
    bool printTo(QPrinter& printer);
    // The save command: asks for a file and writes the document in the format its name asks for.
    bool saveAs();

  private:
    void build();
    void show(ViewContent content);
    void print();

    WorkstationController& controller_;
    ViewRequest request_;
    bool live_ = true;  // rebuilt from the session
    ViewContent content_;
    QTextBrowser* text_;
    QCheckBox* revised_ = nullptr;
    QPushButton* filter_ = nullptr;
};

// The rich text a window shows for a document (the document's web page form).
QString ReportHtml(const ReportDocument& document);

}  // namespace quintaro
