// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <filesystem>
#include <vector>

#include "ui/workstation_controller.h"

namespace quintaro {

// "frmMerger": joins chosen ".att" files of a folder (at first the installation's aspectarian
// folder) into one file whose name ends in "combined.att". "Choose Folder" takes the folder of a
// file picked in the open dialog; "Merge" asks for the name to save under.
class FrmMerger : public QDialog {
    Q_OBJECT
  public:
    explicit FrmMerger(WorkstationController& controller, QWidget* parent = nullptr);

    const std::filesystem::path& folder() const { return folder_; }
    void setFolder(const std::filesystem::path& folder);
    // Lists the folder's ".att" files again, by name.
    void refresh();
    QListWidget* files() const { return files_; }
    void chooseFolder();
    // Merges the files selected in the list; the path written, or empty.
    std::filesystem::path merge();

  private:
    std::vector<std::filesystem::path> selected() const;

    WorkstationController& controller_;
    std::filesystem::path folder_;
    QLabel* folderLabel_;
    QListWidget* files_;
    QLabel* result_;
};

}  // namespace quintaro
