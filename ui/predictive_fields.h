// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <map>

#include "predictive/predictive_form.h"
#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

// The fields a progression, solar-arc or returns window shares with the entry window: its own
// natal section (names, widths, key filters, spinners with their wraps and the hour warning of
// the entry window's natal section), the target date (the transit section's month, day and
// year), and the buttons that load a chart data file, take the entry window's natal data and put
// today into the target. Edits go straight into the window's form in the session.
class PredictiveFields : public QWidget {
    Q_OBJECT
  public:
    PredictiveFields(WorkstationController& controller, PredictiveForm& form,
                     ChartFileTarget fileTarget, QWidget* parent = nullptr);

    // Rereads every field and choice from the form.
    void showForm();

    // Section::Natal: the natal fields; Section::Transit: the target date fields.
    FieldEdit* field(Section section, EntryField field) const;
    SpinButtons* spin(Section section, EntryField field) const;

  private:
    struct Choices {
        QRadioButton *am = nullptr, *pm = nullptr;
        QRadioButton *north = nullptr, *south = nullptr;
        QRadioButton *west = nullptr, *east = nullptr;
    };

    QWidget* buildNatal();
    QWidget* buildTarget();
    QWidget* buildButtons();
    QWidget* addField(Section section, EntryField field, QWidget* parent);
    QWidget* addChoice(QRadioButton*& first, QRadioButton*& second, const char* captionA,
                       const char* captionB, const char* nameA, const char* nameB,
                       bool EntrySection::*choice, QWidget* parent);
    EntrySection& model(Section section) {
        return section == Section::Natal ? form_.natal : form_.target;
    }
    void edited(Section section, EntryField field, const QString& text);
    void loadFile();

    WorkstationController& controller_;
    PredictiveForm& form_;
    ChartFileTarget fileTarget_;
    std::map<std::pair<Section, EntryField>, FieldEdit*> fields_;
    std::map<std::pair<Section, EntryField>, SpinButtons*> spins_;
    Choices choices_;
};

}  // namespace quintaro
