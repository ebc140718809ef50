// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <vector>

#include "interps/revisions.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// "Revise Interpretations" (frmReviseInterps): the keys of the master list, the report kind whose
// revision is written, the prepared paragraph, the revised text and its author. Saving writes the
// revision file of the key in the kind's folder, asking before it overwrites one.
class ReviseWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ReviseWindow(WorkstationController& controller, QWidget* parent = nullptr);

    QListWidget* keys() const { return keys_; }
    QPlainTextEdit* prepared() const { return prepared_; }
    QPlainTextEdit* revised() const { return revised_; }
    QLineEdit* author() const { return author_; }
    ReportMode mode() const;
    // Reads the master list again (after it was generated).
    void loadMasterList();
    // The save command; false when nothing was written.
    bool save();

  private:
    void showKey();

    WorkstationController& controller_;
    std::vector<MasterListEntry> entries_;
    QListWidget* keys_;
    std::array<QRadioButton*, 4> kinds_{};
    QPlainTextEdit* prepared_;
    QPlainTextEdit* revised_;
    QLineEdit* author_;
};

}  // namespace quintaro
