// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QWidget>
#include <map>

#include "setup/entry_fields.h"
#include "ui/body_check_boxes.h"
#include "ui/field_edit.h"
#include "ui/place_completer.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// The entry window "InputD" ("Data Input"): the natal and transit sections, the option fields, the
// check boxes, the buttons and the positions grid. Every widget shows a text or choice of the
// entry model; edits go straight into the model and the commands go to the controller.
class EntryWindow : public QWidget {
    Q_OBJECT
  public:
    EntryWindow(WorkstationController& controller, QWidget* parent = nullptr);

    // Rereads every field, choice and check box from the models.
    void showModel();
    // Relists the positions grid.
    void showGrid();

    FieldEdit* field(Section section, EntryField field) const;
    FieldEdit* option(OptionField field) const;
    SpinButtons* spin(Section section, EntryField field) const;
    // The body check box with this control name ("Check5").
    QCheckBox* bodyCheck(const QString& control) const;
    // The Place field's completion from the atlas, the "zone from place" box and the zone's note.
    PlaceCompleter* placeCompleter(Section section) const;
    QCheckBox* zoneFromPlace(Section section) const;
    QLabel* zoneNote(Section section) const;
    QTableWidget* grid() const { return grid_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct SectionWidgets {
        std::map<EntryField, FieldEdit*> fields;
        std::map<EntryField, SpinButtons*> spins;
        QRadioButton *am = nullptr, *pm = nullptr;
        QRadioButton *north = nullptr, *south = nullptr;
        QRadioButton *west = nullptr, *east = nullptr;
        QCheckBox* zoneFromPlace = nullptr;
        QLabel* zoneNote = nullptr;
        PlaceCompleter* places = nullptr;
    };

    QWidget* buildSection(Section section);
    QWidget* buildOptions();
    QWidget* buildChecks();
    QWidget* buildButtons();
    void buildGrid();
    void fieldEdited(Section section, EntryField field, const QString& text);
    QWidget* buildZoneRow(Section section, QWidget* box);
    void showSection(Section section);
    void gridClicked(int row, int column);

    WorkstationController& controller_;
    std::map<Section, SectionWidgets> sections_;
    std::map<OptionField, FieldEdit*> options_;
    std::map<int, QCheckBox*> bodyChecks_;  // by BodyCheckBox::index
    int slot20Box_ = -1;
    QCheckBox *helio_ = nullptr, *exact_ = nullptr, *applyingOnly_ = nullptr,
              *aspectsOnly_ = nullptr, *degrees_ = nullptr, *showGrids_ = nullptr,
              *primaryOnly_ = nullptr;
    QTableWidget* grid_ = nullptr;
    bool filling_ = false;  // check boxes being set from the model: no recomputation

  Q_SIGNALS:
    void applyingOnlyToggled(bool on);
    void aspectsOnlyToggled(bool on);
    void showGridsToggled(bool on);
};

}  // namespace quintaro
