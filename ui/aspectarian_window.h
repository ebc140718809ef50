// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <map>
#include <optional>

#include "app/aspectarian_run.h"
#include "aspects/aspectarian_files.h"
#include "ui/aspectarian_worker.h"
#include "ui/field_edit.h"
#include "ui/workstation_controller.h"

namespace quintaro {

class FrmMerger;

// "VelmAspectarian": day-by-day events of the chosen bodies over a date range. The fields and
// choices are bound to an aspectarian form; "Generate Aspectarian" runs both passes on a thread of
// their own behind a progress window with Cancel, and shows the geocentric events in the left
// box, the heliocentric ones in the right. The results can be saved as ".att" files, as a
// spreadsheet table, and ".att" files merged (frmMerger).
class VelmAspectarian : public QWidget {
    Q_OBJECT
  public:
    explicit VelmAspectarian(WorkstationController& controller, QWidget* parent = nullptr);
    ~VelmAspectarian() override;

    AspectarianForm& form() { return form_; }
    // Shows every field and choice of the form again.
    void showForm();

    void generate();
    void saveAs(Frame frame);
    void reformatForExcel();
    FrmMerger* showMerger();

    bool running() const { return worker_.running(); }
    QProgressDialog* progressDialog() const { return progress_; }
    // The last run's result and input; nothing before the first run.
    const AspectarianResult* result() const { return result_ ? &*result_ : nullptr; }

  private:
    QWidget* buildDates();
    QWidget* buildDate(Section section, const char* title);
    QWidget* buildBodies();
    QWidget* buildAspects();
    QWidget* buildEvents();
    QWidget* buildCommands();
    QWidget* buildResults();
    QListWidget* bodyList(const char* name, const std::vector<int>& slots,
                          std::vector<int> AspectarianForm::*chosen);
    EntrySection& dateModel(Section section) {
        return section == Section::Natal ? form_.start : form_.end;
    }
    void preset(AspectarianPreset which);
    void showProgress(const QString& text, long done, long total);
    void runEnded();
    std::optional<AttFile> passFile(Frame frame) const;
    QString folder() const;

    WorkstationController& controller_;
    AspectarianForm form_;
    std::map<std::pair<Section, EntryField>, FieldEdit*> dates_;
    FieldEdit* zone_ = nullptr;
    QListWidget* transitList_ = nullptr;
    QListWidget* natalList_ = nullptr;
    std::array<QRadioButton*, 2> pairing_{};
    std::array<QCheckBox*, 17> aspects_{};
    std::array<QCheckBox*, 5> events_{};
    QWidget* inputs_ = nullptr;
    QPlainTextEdit* geo_ = nullptr;
    QPlainTextEdit* helio_ = nullptr;
    QPlainTextEdit* summary_ = nullptr;
    QPointer<QProgressDialog> progress_;
    QPointer<FrmMerger> merger_;
    AspectarianWorker worker_;
    std::optional<AspectarianResult> result_;
    AspectarianInput input_;  // of the result shown
};

}  // namespace quintaro
