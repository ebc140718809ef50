// SPDX-License-Identifier: AGPL-3.0-or-later
#include "ui/aspectarian_merge_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "aspects/aspectarian_files.h"
#include "ui/widget_helpers.h"

namespace quintaro {

namespace {

QString FilterOfAttFiles() {
    return ToolkitFilter("Aspectarian Data Files (*.att) | *.att");
}

}  // namespace

FrmMerger::FrmMerger(WorkstationController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setObjectName(QStringLiteral("frmMerger"));
    setWindowTitle(QStringLiteral("Merge aspectarian files"));
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("lblFolder"));
    files_ = new QListWidget(this);
    files_->setObjectName(QStringLiteral("lstFiles"));
    files_->setSelectionMode(QAbstractItemView::MultiSelection);
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("lblResult"));
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto button = [this](const char* caption, const char* name) {
        auto* push = new QPushButton(QString::fromLatin1(caption), this);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        return push;
    };
    QPushButton* choose = button("Choose Folder", "cmdFolder");
    QPushButton* merge = button("Merge", "cmdMergeFiles");
    QPushButton* close = button("Close", "cmdClose");
    connect(choose, &QPushButton::clicked, this, &FrmMerger::chooseFolder);
    connect(merge, &QPushButton::clicked, this, [this] { this->merge(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose the files to merge:"), this));
    layout->addWidget(folderLabel_);
    layout->addWidget(files_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choose);
    buttons->addStretch(1);
    buttons->addWidget(merge);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    layout->addWidget(result_);
    setFolder(AttFolder(controller_.workstation().home));
    resize(460, 360);
}

void FrmMerger::setFolder(const std::filesystem::path& folder) {
    folder_ = folder;
    folderLabel_->setText(Q(folder_.string()));
    refresh();
}

void FrmMerger::refresh() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) {
        const std::filesystem::path& path = entry.path();
        if (path.extension() == ".att" && entry.is_regular_file(ec))
            names.push_back(path.filename().string());
    }
    std::sort(names.begin(), names.end());
    files_->clear();
    for (const std::string& name : names) files_->addItem(Q(name));
}

void FrmMerger::chooseFolder() {
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.open) return;
    const QString chosen =
        dialogs.open({QStringLiteral("Choose a file of the folder to merge from"),
                      FilterOfAttFiles(), QStringLiteral("att"), Q(folder_.string()), QString()});
    if (!chosen.isEmpty()) setFolder(std::filesystem::path(chosen.toStdString()).parent_path());
}

std::vector<std::filesystem::path> FrmMerger::selected() const {
    std::vector<std::filesystem::path> paths;
    for (int row = 0; row < files_->count(); ++row)
        if (files_->item(row)->isSelected())
            paths.push_back(folder_ / files_->item(row)->text().toStdString());
    return paths;
}

std::filesystem::path FrmMerger::merge() {
    Messages& messages = controller_.workstation().messages;
    const std::vector<std::filesystem::path> sources = selected();
    if (sources.empty()) {
        messages.show("Nothing to merge", "Choose one or more aspectarian files to merge.",
                      MessageIcon::Information);
        return {};
    }
    FileDialogs& dialogs = controller_.dialogs();
    if (!dialogs.save) return {};
    const QString chosen = dialogs.save(
        {QStringLiteral("Save combined aspectarian file"), FilterOfAttFiles(),
         QStringLiteral("att"), Q(folder_.string()), Q(ProposedCombinedFileName(sources))});
    if (chosen.isEmpty()) return {};
    const MergeWritten written = MergeAttFilesOnDisk(sources, chosen.toStdString());
    if (written.problem) {
        messages.show(written.problem->title, written.problem->text, MessageIcon::Exclamation);
        result_->clear();
        return {};
    }
    result_->setText(QStringLiteral("Merged %1 files into %2")
                         .arg(sources.size())
                         .arg(Q(written.written.filename().string())));
    refresh();
    return written.written;
}

}  // namespace quintaro
