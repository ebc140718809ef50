// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/pivot_window.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QVBoxLayout>

#include "core/formatting.h"
#include "database/database_texts.h"
#include "ui/entry_field_controls.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

constexpr std::array<const char*, 6> kEntryCaptions = {"PRICE HIGH", "PRICE LOW", "PRICE CLOSE",
                                                       "Price Open", "Volume",    "Open Interest"};
constexpr std::array<const char*, 7> kTableHeadings = {"Date", "High",   "Low",          "Close",
                                                       "Open", "Volume", "Open Interest"};

}  // namespace

PivotWindow::PivotWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      month_(new FieldEdit(EntryFieldRules(EntryField::Month), "txtMonth", this)),
      day_(new FieldEdit(EntryFieldRules(EntryField::Day), "txtDay", this)),
      year_(new FieldEdit(EntryFieldRules(EntryField::Year), "txtYear", this)),
      dataPoint_(new QLineEdit(this)),
      lastDate_(new QLabel(this)),
      status_(new QLabel(this)),
      table_(new QTableWidget(0, 7, this)),
      appendTo_(NamedButton("Append price data to . . .", "cmdAppendTo", this)) {
    setObjectName(QStringLiteral("frmPivot"));
    setWindowTitle(QStringLiteral("Price pivots"));
    dataPoint_->setObjectName(QStringLiteral("txtDataPoint"));
    dataPoint_->setValidator(new QIntValidator(0, 99999999, dataPoint_));
    dataPoint_->setMaximumWidth(90);
    lastDate_->setObjectName(QStringLiteral("lblLastDate"));
    status_->setObjectName(QStringLiteral("lblStatus"));
    table_->setObjectName(QStringLiteral("grdPrices"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    QStringList headings;
    for (const char* heading : kTableHeadings) headings << QString::fromLatin1(heading);
    table_->setHorizontalHeaderLabels(headings);

    // The day to append: date fields with their spin buttons, then the six values.
    auto* entry = new QGridLayout;
    int column = 0;
    const std::pair<FieldEdit*, EntryField> dateFields[] = {
        {month_, EntryField::Month}, {day_, EntryField::Day}, {year_, EntryField::Year}};
    for (const auto& [edit, field] : dateFields) {
        auto* spin = new SpinButtons(Q(SpinControl(field)), this);
        const EntryField which = field;
        connect(spin, &SpinButtons::stepped, this,
                [this, which](int direction) { spinDate(which, direction); });
        auto* box = new QHBoxLayout;
        box->addWidget(edit);
        box->addWidget(spin);
        entry->addWidget(new QLabel(Q(EntryFieldControl(field).label), this), 0, column);
        entry->addLayout(box, 1, column++);
    }
    for (size_t i = 0; i < entries_.size(); ++i) {
        entries_[i] = new QLineEdit(this);
        entries_[i]->setObjectName(QStringLiteral("txtDataEntry%1").arg(i));
        entry->addWidget(new QLabel(QString::fromLatin1(kEntryCaptions[i]), this), 0, column);
        entry->addWidget(entries_[i], 1, column++);
    }

    auto* levels = new QGridLayout;
    for (size_t i = 0; i < outputs_.size(); ++i) {
        outputs_[i] = new QLineEdit(this);
        outputs_[i]->setObjectName(QStringLiteral("txtDataOutput%1").arg(i));
        outputs_[i]->setReadOnly(true);
        levels->addWidget(new QLabel(Q(kPivotLevelNames[i]), this), 0, static_cast<int>(i));
        levels->addWidget(outputs_[i], 1, static_cast<int>(i));
    }

    auto* point = new QHBoxLayout;
    auto* pointSpin = new SpinButtons(QStringLiteral("udDataPoint"), this);
    point->addWidget(new QLabel(QStringLiteral("Data Point #"), this));
    point->addWidget(dataPoint_);
    point->addWidget(pointSpin);
    point->addWidget(lastDate_, 1);

    auto* create = NamedButton("Create New File", "cmdCreate", this);
    auto* loadButton = NamedButton("Load Data File", "cmdLoadFile", this);
    auto* calculateButton = NamedButton("Calculate Pivot Data", "cmdCalculate", this);
    auto* nowButton = NamedButton("Now", "cmdNow", this);
    auto* clearButton = NamedButton("Clear", "cmdClear", this);
    auto* saveButton = NamedButton("Save pivot calcs to .csv file", "cmdSaveCSV", this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(create, 0, 0);
    buttons->addWidget(loadButton, 0, 1);
    buttons->addWidget(appendTo_, 0, 2);
    buttons->addWidget(calculateButton, 1, 0);
    buttons->addWidget(nowButton, 1, 1);
    buttons->addWidget(clearButton, 1, 2);
    buttons->addWidget(saveButton, 2, 0, 1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(buttons);
    layout->addLayout(point);
    layout->addLayout(levels);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);

    connect(create, &QPushButton::clicked, this, &PivotWindow::createFile);
    connect(loadButton, &QPushButton::clicked, this, &PivotWindow::loadFile);
    connect(appendTo_, &QPushButton::clicked, this, &PivotWindow::append);
    connect(calculateButton, &QPushButton::clicked, this, &PivotWindow::calculate);
    connect(nowButton, &QPushButton::clicked, this, &PivotWindow::now);
    connect(clearButton, &QPushButton::clicked, this, &PivotWindow::clear);
    connect(saveButton, &QPushButton::clicked, this, &PivotWindow::saveCsv);
    connect(pointSpin, &SpinButtons::stepped, this, &PivotWindow::stepDataPoint);
    connect(dataPoint_, &QLineEdit::returnPressed, this, &PivotWindow::takeDataPoint);
    now();
    resize(900, 620);
}

QString PivotWindow::pivotFolder() const {
    if (!file_.empty()) return Q(file_.parent_path().string());
    return Q(controller_.workstation().path(kPriceFolder).string());
}

void PivotWindow::report(const QString& text) {
    status_->setText(text);
}

void PivotWindow::warn(const std::string& text) {
    controller_.workstation().messages.show("Warning!", text, MessageIcon::Exclamation);
}

bool PivotWindow::createFile() {
    FileDialogs& dialogs = controller_.dialogs();
    const QString chosen = dialogs.save
                               ? dialogs.save({QStringLiteral("Create stock/futures file data"),
                                               ToolkitFilter(kPriceFileFilter),
                                               QStringLiteral("prn"), pivotFolder(), QString()})
                               : QString();
    if (chosen.isEmpty()) {
        report(QStringLiteral("No file created"));
        return false;
    }
    if (std::string error = CreatePriceFile(chosen.toStdString()); !error.empty()) {
        warn(error);
        report(QStringLiteral("No file created"));
        return false;
    }
    load(chosen.toStdString());
    report(QStringLiteral("File created = ") + QFileInfo(chosen).fileName());
    return true;
}

bool PivotWindow::loadFile() {
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.open) return false;
    const QString chosen = dialogs.open({QStringLiteral("Load stock/futures file data"),
                                         ToolkitFilter(kPriceFileFilter), QStringLiteral("prn"),
                                         pivotFolder(), QString()});
    if (chosen.isEmpty()) return false;
    return load(chosen.toStdString());
}

bool PivotWindow::load(const std::filesystem::path& file) {
    std::string error;
    auto table = LoadPriceFile(file, error);
    if (!table) {
        warn(error);
        return false;
    }
    file_ = file;
    view_ = OpenPivotView(std::move(*table));
    setWindowTitle(Q(PivotWindowCaption(view_->table)));
    appendTo_->setText(Q(AppendButtonCaption(view_->table)));
    lastDate_->setText(Q(LastDateLabel(view_->table)));
    showTable();
    showDataPoint();
    return true;
}

void PivotWindow::showTable() {
    const std::vector<PriceRow>& rows = view_->table.rows;
    table_->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < PriceColumnCount; ++c)
            table_->setItem(static_cast<int>(r), c,
                            new QTableWidgetItem(Q(rows[r].cells[static_cast<size_t>(c)])));
    table_->resizeColumnsToContents();
}

// The current row: its number, its line of the table, its levels.
void PivotWindow::showDataPoint() {
    if (!view_ || view_->table.rows.empty()) {
        dataPoint_->clear();
        for (QLineEdit* output : outputs_) output->clear();
        return;
    }
    dataPoint_->setText(QString::number(view_->dataPoint));
    table_->selectRow(view_->dataPoint);
    calculate();
}

void PivotWindow::takeDataPoint() {
    bool ok = false;
    const int row = dataPoint_->text().toInt(&ok);
    if (view_ && ok) SetDataPoint(*view_, row);  // a row outside the table is not taken
    showDataPoint();
}

void PivotWindow::stepDataPoint(int direction) {
    if (view_ && StepDataPoint(*view_, direction)) showDataPoint();
}

void PivotWindow::calculate() {
    const auto levels = view_ ? CurrentLevels(*view_) : std::nullopt;
    const auto texts = levels ? FormatLevels(*levels) : std::array<std::string, 7>{};
    for (size_t i = 0; i < outputs_.size(); ++i) outputs_[i]->setText(Q(texts[i]));
}

PriceEntry PivotWindow::entry() const {
    PriceEntry e;
    e.month = month_->text().toStdString();
    e.day = day_->text().toStdString();
    e.year = year_->text().toStdString();
    for (size_t i = 0; i < entries_.size(); ++i) e.values[i] = entries_[i]->text().toStdString();
    return e;
}

bool PivotWindow::append() {
    if (!view_) {
        warn("Load or create a price file first; nothing was written.");
        return false;
    }
    if (std::string error = AppendPriceDay(file_, entry()); !error.empty()) {
        warn(file_.filename().string() + ": " + error);
        return false;
    }
    const PriceEntry day = entry();
    load(file_);
    report(QStringLiteral("Appended %1/%2/%3 to ").arg(Q(day.month), Q(day.day), Q(day.year)) +
           Q(view_->table.fileName));
    return true;
}

void PivotWindow::now() {
    const DateTimeParts today = controller_.workstation().clock();
    month_->setText(QString::number(today.month));
    day_->setText(QString::number(today.day));
    year_->setText(QString::number(today.year));
}

void PivotWindow::clear() {
    for (QLineEdit* value : entries_) value->clear();
    for (QLineEdit* output : outputs_) output->clear();
}

bool PivotWindow::saveCsv() {
    if (!view_ || view_->table.rows.empty()) {
        warn("Load a price file with days first; nothing was saved.");
        return false;
    }
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.save) return false;
    const QString chosen =
        dialogs.save({Q(kSaveCsvTitle), ToolkitFilter(kCsvFilter), QStringLiteral("csv"),
                      pivotFolder(), Q(file_.stem().string() + "_pivots.csv")});
    if (chosen.isEmpty()) return false;
    std::vector<DatedPivot> days;
    for (const PriceRow& row : view_->table.rows) days.push_back({row.date, CalcPivot(row)});
    if (std::string error = SavePivotCsv(chosen.toStdString(), days); !error.empty()) {
        warn(error);
        return false;
    }
    report(QStringLiteral("Pivot levels of %1 days saved in ").arg(days.size()) +
           QFileInfo(chosen).fileName());
    return true;
}

void PivotWindow::spinDate(EntryField field, int direction) {
    EntrySection date;
    date.month = month_->text().toStdString();
    date.day = day_->text().toStdString();
    date.year = year_->text().toStdString();
    Spin(date, field, direction);
    month_->setText(Q(date.month));
    day_->setText(Q(date.day));
    year_->setText(Q(date.year));
}

}  // namespace quintaro
