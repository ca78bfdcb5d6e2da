#include "infowin/image_save_dialog.h"

#include "infowin/image_file_names.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace skelvane {

std::optional<SaveDialogChoice>
DialogImageSaveQuestions::chooseSaveFile(const SaveDialogRequest& request) {
    QFileDialog dialog(owner_, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing a file is asked by the command, after the format has fixed the extension.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = FilterDescriptions(request.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.startFolder.isEmpty() && QDir(request.startFolder).exists())
        dialog.setDirectory(request.startFolder);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    SaveDialogChoice choice;
    choice.path = dialog.selectedFiles().constFirst();
    choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.filterIndex < 1)
        choice.filterIndex = 1;
    return choice;
}

ReplaceAnswer DialogImageSaveQuestions::askReplace(const QString& question) {
    const auto answer = QMessageBox::question(
        owner_, QStringLiteral("Confirm"), question,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        return ReplaceAnswer::Yes;
    return answer == QMessageBox::No ? ReplaceAnswer::No : ReplaceAnswer::Cancel;
}

void DialogImageSaveQuestions::showError(const QString& text) {
    QMessageBox::warning(owner_, QStringLiteral("Skelvane"), text);
}

} // namespace skelvane
