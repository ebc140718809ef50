// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/person_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// "Historical Dates" → "cmdHistoricalDates"
QString ButtonName(std::string_view caption) {
    QString name = QStringLiteral("cmd") + QString::fromLatin1(caption.data(), caption.size());
    name.remove(QLatin1Char(' '));
    return name;
}

QHBoxLayout* NumberRow(DatabaseController& database, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Record #"), parent));
    row->addWidget(new RecordNumberBox(database, parent));
    return row;
}

}  // namespace

PersonWindow::PersonWindow(DatabaseController& database, QWidget* parent)
    : QWidget(parent),
      database_(database),
      fields_(new RecordFormFields(database, RecordForm::Person, false, this)),
      alphabetical_(new QCheckBox(QStringLiteral("Display all alphabetically"), this)) {
    setObjectName(QStringLiteral("display_personal"));
    database_.recordWindowOpened();
    alphabetical_->setObjectName(QStringLiteral("chkDisplayAlphabetically"));
    if (const DatabaseView* view = database_.view()) alphabetical_->setChecked(view->alphabetical);

    auto* layout = new QVBoxLayout(this);
    QHBoxLayout* top = NumberRow(database_, this);
    auto* previous = NamedButton(QStringLiteral("<"), QStringLiteral("cmdPreviousNext0"), this);
    auto* next = NamedButton(QStringLiteral(">"), QStringLiteral("cmdPreviousNext1"), this);
    top->addWidget(previous);
    top->addWidget(next);
    top->addWidget(alphabetical_);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(fields_);

    auto* subRecords = new QGridLayout;
    int at = 0;
    for (RecordForm form : SubRecordForms()) {
        auto* button = NamedButton(QString::fromLatin1(SubRecordButton(form).data()),
                                   ButtonName(SubRecordButton(form)), this);
        subRecords->addWidget(button, at / 4, at % 4);
        ++at;
        const QString window = QString::fromLatin1(SubRecordWindowName(form).data());
        connect(button, &QPushButton::clicked, this,
                [this, window] { Q_EMIT database_.windowWanted(window); });
    }
    layout->addLayout(subRecords);

    auto* commands = new QHBoxLayout;
    auto* save = NamedButton(QStringLiteral("Save Record"), QStringLiteral("cmdSaveRecord"), this);
    auto* transfer = NamedButton(QStringLiteral("Transfer birth date"),
                                 QStringLiteral("cmdTransferBirthDate"), this);
    auto* closeAll = NamedButton(QStringLiteral("Close All"), QStringLiteral("cmdCloseAll"), this);
    commands->addWidget(save);
    commands->addWidget(transfer);
    commands->addStretch(1);
    commands->addWidget(closeAll);
    layout->addLayout(commands);

    connect(previous, &QPushButton::clicked, this, [this] { database_.step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { database_.step(+1); });
    connect(alphabetical_, &QCheckBox::toggled, this, [this](bool on) {
        if (!database_.setAlphabetical(on)) {
            const QSignalBlocker quiet(alphabetical_);
            alphabetical_->setChecked(false);
        }
    });
    connect(save, &QPushButton::clicked, this, [this] { database_.save(); });
    connect(transfer, &QPushButton::clicked, this, [this] { database_.transferBirthDate(); });
    connect(closeAll, &QPushButton::clicked, &database_, &DatabaseController::closeRecordWindows);
    connect(&database_, &DatabaseController::databaseChanged, this, [this] {
        const QSignalBlocker quiet(alphabetical_);
        alphabetical_->setChecked(false);
        refreshCaption();
    });
    connect(&database_, &DatabaseController::closeRecordWindows, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
    refreshCaption();
}

void PersonWindow::refreshCaption() {
    const DatabaseView* view = database_.view();
    setWindowTitle(view ? QString::fromStdString(PersonWindowCaption(*view))
                        : QStringLiteral("Database display window - no file loaded"));
}

void PersonWindow::closeEvent(QCloseEvent* event) {
    database_.recordWindowClosing();
    event->accept();
}

SubRecordWindow::SubRecordWindow(DatabaseController& database, RecordForm form, QWidget* parent)
    : QWidget(parent),
      database_(database),
      form_(form),
      fields_(new RecordFormFields(database, form, false)) {
    setObjectName(QString::fromLatin1(SubRecordWindowName(form).data()));
    database_.recordWindowOpened();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(NumberRow(database_, this));
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(fields_);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    auto* commands = new QHBoxLayout;
    auto* save = NamedButton(QStringLiteral("Save Record"), QStringLiteral("cmdSaveRecord"), this);
    commands->addWidget(save);
    connect(save, &QPushButton::clicked, this, [this] { database_.save(); });
    if (form == RecordForm::HistoricalData) {
        auto* transfer = NamedButton(QStringLiteral("Transfer data to main screen"),
                                     QStringLiteral("cmdTransferData"), this);
        commands->addWidget(transfer);
        connect(transfer, &QPushButton::clicked, this, [this] { database_.transferBirthData(); });
    }
    commands->addStretch(1);
    layout->addLayout(commands);
    connect(&database_, &DatabaseController::databaseChanged, this,
            &SubRecordWindow::refreshCaption);
    connect(&database_, &DatabaseController::closeRecordWindows, this, [this] {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
            sub->close();
        else
            close();
    });
    refreshCaption();
    resize(fields_->sizeHint().width() + 60, 480);
}

void SubRecordWindow::refreshCaption() {
    const DatabaseView* view = database_.view();
    setWindowTitle(QString::fromStdString(SubRecordCaption(form_, view ? view->count : 0)));
}

void SubRecordWindow::closeEvent(QCloseEvent* event) {
    database_.recordWindowClosing();
    event->accept();
}

}  // namespace quintaro
