// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/revise_window.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/interpretations.h"
#include "core/atomic_file.h"
#include "interps/interpretation_report.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

// Line breaks of a stored text ("\r\n") as the text box shows them.
QString ShownText(const std::string& text) {
    return Q(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

constexpr std::array<std::pair<ReportMode, const char*>, 4> Kinds = {{
    {ReportMode::RomanceCompatibility, "optRomanceComp"},
    {ReportMode::FinancialCompatibility, "optFinancialComp"},
    {ReportMode::RomanceTransits, "optRomanceTrans"},
    {ReportMode::FinancialTransits, "optFinancialTrans"},
}};

}  // namespace

ReviseWindow::ReviseWindow(WorkstationController& controller, QWidget* parent)
    : QWidget(parent),
      controller_(controller),
      keys_(new QListWidget(this)),
      prepared_(new QPlainTextEdit(this)),
      revised_(new QPlainTextEdit(this)),
      author_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmReviseInterps"));
    setWindowTitle(QStringLiteral("Revise Interpretations"));
    keys_->setObjectName(QStringLiteral("lstKeys"));
    keys_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    prepared_->setObjectName(QStringLiteral("txtPrepared"));
    prepared_->setReadOnly(true);
    revised_->setObjectName(QStringLiteral("txtRevised"));
    author_->setObjectName(QStringLiteral("txtAuthor"));
    author_->setText(Q(controller_.session().interps.astrologer));

    auto* layout = new QGridLayout(this);
    layout->addWidget(keys_, 0, 0, 6, 1);
    auto* group = new QButtonGroup(this);
    auto* kindRow = new QHBoxLayout;
    for (std::size_t i = 0; i < Kinds.size(); ++i) {
        kinds_[i] = new QRadioButton(Q(ReportKindName(Kinds[i].first)), this);
        kinds_[i]->setObjectName(QString::fromLatin1(Kinds[i].second));
        group->addButton(kinds_[i]);
        kindRow->addWidget(kinds_[i]);
        connect(kinds_[i], &QRadioButton::toggled, this, [this](bool on) {
            if (on) showKey();
        });
    }
    kinds_[0]->setChecked(true);
    layout->addLayout(kindRow, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Prepared text"), this), 1, 1);
    layout->addWidget(prepared_, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("Revised text"), this), 3, 1);
    layout->addWidget(revised_, 4, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Author"), this));
    bottom->addWidget(author_, 1);
    auto* save = new QPushButton(QStringLiteral("&Save revision"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    bottom->addWidget(save);
    layout->addLayout(bottom, 5, 1);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 3);

    connect(keys_, &QListWidget::currentRowChanged, this, [this] { showKey(); });
    connect(save, &QPushButton::clicked, this, &ReviseWindow::save);
    loadMasterList();
    resize(980, 560);
}

ReportMode ReviseWindow::mode() const {
    for (std::size_t i = 0; i < Kinds.size(); ++i)
        if (kinds_[i] && kinds_[i]->isChecked()) return Kinds[i].first;
    return Kinds[0].first;
}

void ReviseWindow::loadMasterList() {
    Workstation& ws = controller_.workstation();
    std::string content;
    entries_.clear();
    keys_->clear();
    if (!ReadWholeFile(MasterListPath(ws.home), content)) {
        ws.messages.show("Revise Interpretations",
                         "The master list " + MasterListPath(ws.home).string() +
                             " does not exist yet: make it with \"Generate master list\".",
                         MessageIcon::Information);
        return;
    }
    entries_ = ParseMasterList(content);
    for (const MasterListEntry& entry : entries_) keys_->addItem(Q(entry.line));
}

void ReviseWindow::showKey() {
    const int row = keys_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) {
        prepared_->clear();
        revised_->clear();
        return;
    }
    Session& session = controller_.session();
    const std::string& key = entries_[static_cast<std::size_t>(row)].key;
    const std::string prepared = PreparedText(session, mode(), key);
    prepared_->setPlainText(ShownText(prepared));
    const auto path = RevisionPath(session.workstation.home, mode(), key);
    const auto revision = path ? ReadRevision(*path) : std::nullopt;
    revised_->setPlainText(ShownText(revision ? revision->text : prepared));
    if (revision && !revision->author.empty()) author_->setText(Q(revision->author));
}

bool ReviseWindow::save() {
    Workstation& ws = controller_.workstation();
    const int row = keys_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) {
        ws.messages.show("Revise Interpretations", "Please choose the interpretation to revise.",
                         MessageIcon::Information);
        return false;
    }
    const std::string author = author_->text().trimmed().toStdString();
    if (author.empty()) {
        ws.messages.show("Revise Interpretations", "Please enter the author of the revision.",
                         MessageIcon::Information);
        return false;
    }
    const auto path = RevisionPath(ws.home, mode(), entries_[static_cast<std::size_t>(row)].key);
    if (!path) return false;
    controller_.session().interps.astrologer = author;
    const std::string text =
        revised_->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
    if (SaveRevision(*path, {text, author}, ws.messages) != RevisionSave::Saved) return false;
    setWindowTitle(Q(RevisionSavedCaption(*path)));
    return true;
}

}  // namespace quintaro
