// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/aspect_grid_window.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "ui/glyph_font.h"

namespace quintaro {

QString GridWindowName(GridWindow window) {
    switch (window) {
        case GridWindow::Aspects:
            return QStringLiteral("DataGrdAspects");
        case GridWindow::LongAspects:
            return QStringLiteral("DataGrdLongAspects");
        case GridWindow::DeclAspects:
            return QStringLiteral("DataGrdDeclAspects");
        case GridWindow::LongAspectsCrucial:
            return QStringLiteral("DataGrdLongAspects_Crucial");
        case GridWindow::DeclAspectsCrucial:
            return QStringLiteral("DataGrdDeclAspects_Crucial");
    }
    return {};
}

SettingsWindow GridSettingsWindow(GridWindow window) {
    switch (window) {
        case GridWindow::Aspects:
            return SettingsWindow::SingleKindAspectGrid;
        case GridWindow::LongAspects:
            return SettingsWindow::LongitudeAspectGrid;
        case GridWindow::DeclAspects:
            return SettingsWindow::DeclinationAspectGrid;
        case GridWindow::LongAspectsCrucial:
            return SettingsWindow::CrucialLongitudeAspectGrid;
        case GridWindow::DeclAspectsCrucial:
            return SettingsWindow::CrucialDeclinationAspectGrid;
    }
    return SettingsWindow::SingleKindAspectGrid;
}

GridOptions CurrentGridOptions(WorkstationController& controller, GridWindow window) {
    const DisplayChoices& display = controller.display();
    const Workstation& ws = controller.workstation();
    const bool crucial =
        window == GridWindow::LongAspectsCrucial || window == GridWindow::DeclAspectsCrucial;
    GridOptions options;
    options.displayMode = crucial ? display.crucialMode : display.gridMode;
    options.aspectClassFilter = display.aspectClass;
    options.applyingOnly = ws.entry.options.applyingOnly;
    options.exactOn = ws.entry.options.exact;
    options.progressionMode = controller.session().progression.on;
    options.crucialSelection = ws.groups.crucial.live;
    options.declinationKind = display.gridDeclinationKind;
    options.helio = ws.entry.options.helio;
    return options;
}

AspectGridWindow::AspectGridWindow(WorkstationController& controller, GridWindow window,
                                   QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      window_(window),
      title_(new QLabel(this)),
      table_(new QTableWidget(this)) {
    setObjectName(GridWindowName(window));
    table_->setObjectName(QStringLiteral("grdOutput"));
    table_->setFont(MixedGlyphFont(9));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(table_->font()).height() + 4);
    table_->setColumnCount(GridColumnCount);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    title_->setVisible(window == GridWindow::Aspects);
    connect(&controller_, &WorkstationController::computed, this, &AspectGridWindow::refresh);
    connect(&controller_, &WorkstationController::displayChanged, this, &AspectGridWindow::refresh);
    connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { clicked(row); });
    refresh();
    resize(560, 420);
}

GridModel AspectGridWindow::model() const {
    Session& session = controller_.session();
    return BuildAspectGrid(window_, CurrentGridOptions(controller_, window_), session.lists,
                           session.timed, session.workstation.catalogue);
}

void AspectGridWindow::clicked(int tableRow) {
    // Each section shows its title row and its column titles above its aspect rows.
    const GridModel grid = model();
    int first = 0;
    for (std::size_t s = 0; s < grid.sections.size(); ++s) {
        const int rows = static_cast<int>(grid.sections[s].rows.size());
        const int row = tableRow - first - 2;
        if (row >= 0 && row < rows) {
            Q_EMIT aspectRowClicked(static_cast<int>(s), row);
            return;
        }
        first += 2 + rows;
    }
}

void AspectGridWindow::refresh() {
    const GridModel grid = model();
    setWindowTitle(QString::fromStdString(grid.caption));
    if (!grid.sections.empty()) title_->setText(QString::fromStdString(grid.sections[0].title));

    int rows = 0;
    for (const GridSection& section : grid.sections)
        rows += 2 + static_cast<int>(section.rows.size());
    table_->clearSpans();
    table_->setRowCount(rows);
    int r = 0;
    auto put = [this](int row, int column, const QString& text, bool centred) {
        QTableWidgetItem* item = table_->item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            table_->setItem(row, column, item);
        }
        item->setText(text);
        item->setTextAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        QFont font = item->font();
        font.setBold(false);
        item->setFont(font);
        return item;
    };
    for (const GridSection& section : grid.sections) {
        QTableWidgetItem* title = put(r, 0, QString::fromStdString(section.title), false);
        QFont bold = table_->font();
        bold.setBold(true);
        title->setFont(bold);
        for (int c = 1; c < GridColumnCount; ++c) put(r, c, {}, false);
        table_->setSpan(r, 0, 1, GridColumnCount);
        ++r;
        const std::vector<std::string> titles = FormatColumnTitles(section.format);
        for (int c = 0; c < GridColumnCount; ++c) {
            const QString text = c < static_cast<int>(titles.size())
                                     ? QString::fromStdString(titles[static_cast<size_t>(c)])
                                     : QString();
            put(r, c, text, true)->setFont(bold);
        }
        ++r;
        for (const GridRow& row : section.rows) {
            for (int c = 0; c < GridColumnCount; ++c)
                put(r, c, GlyphDisplayText(row.cells[static_cast<size_t>(c)]), true);
            ++r;
        }
    }
    table_->resizeColumnsToContents();
}

}  // namespace quintaro
