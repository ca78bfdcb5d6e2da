#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace skelvane {

// What the save dialog is opened with.
struct SaveDialogRequest {
    QString title;            // "Save As"
    QString defaultExtension; // without the dot: "jpg"
    QString filter;           // "|"-separated description and pattern pairs
    QString startFolder;      // empty: the dialog's own choice
    QString fileName;         // the name offered
};

// What the user chose: the full path and the filter's number, counted from 1.
struct SaveDialogChoice {
    QString path;
    int filterIndex = 1;
};

enum class ReplaceAnswer { Yes, No, Cancel };

// The questions and messages of the image commands, asked of the user. The program uses
// DialogImageSaveQuestions; tests answer with a fake.
class ImageSaveQuestions {
public:
    virtual ~ImageSaveQuestions() = default;
    // The save dialog; nothing when cancelled. The dialog asks nothing about existing files.
    virtual std::optional<SaveDialogChoice> chooseSaveFile(const SaveDialogRequest& request) = 0;
    // A Yes / No / Cancel confirmation box with `question`.
    virtual ReplaceAnswer askReplace(const QString& question) = 0;
    // A message box saying why a file could not be written.
    virtual void showError(const QString& text) = 0;
};

// The desktop's dialogs, owned by `owner` while they show.
class DialogImageSaveQuestions final : public ImageSaveQuestions {
public:
    explicit DialogImageSaveQuestions(QWidget* owner) : owner_(owner) {}
    std::optional<SaveDialogChoice> chooseSaveFile(const SaveDialogRequest& request) override;
    ReplaceAnswer askReplace(const QString& question) override;
    void showError(const QString& text) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace skelvane
