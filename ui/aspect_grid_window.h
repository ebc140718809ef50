// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QTableWidget>
#include <QWidget>

#include "aspects/aspect_grid.h"
#include "setup/settings_file.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// One aspect grid window (DataGrdAspects, the combined and the crucial ones): the grid model's
// sections one below the other, each under its title row and column titles, rebuilt after every
// computation and whenever a display choice changes.
class AspectGridWindow : public QWidget {
    Q_OBJECT
  public:
    AspectGridWindow(WorkstationController& controller, GridWindow window,
                     QWidget* parent = nullptr);

    GridWindow window() const { return window_; }
    QTableWidget* table() const { return table_; }
    QString title() const { return title_->text(); }
    // The model the window shows now.
    GridModel model() const;
    void refresh();

  Q_SIGNALS:
    // A click on an aspect row: its section and its row within the section.
    void aspectRowClicked(int section, int row);

  private:
    void clicked(int tableRow);

    WorkstationController& controller_;
    GridWindow window_;
    QLabel* title_;
    QTableWidget* table_;
};

// Object names and the settings rectangle of each grid window.
QString GridWindowName(GridWindow window);
SettingsWindow GridSettingsWindow(GridWindow window);
GridOptions CurrentGridOptions(WorkstationController& controller, GridWindow window);

}  // namespace quintaro
