#include "ui/FileChooser.h"

#include <QDir>
#include <QFileDialog>

#include "ui/UiTexts.h"

namespace velmora {

std::optional<QString> QtFileChooser::chooseFileToLoad(QWidget* parent)
{
    const QString name = QFileDialog::getOpenFileName(parent, QString::fromLatin1(ui::kLoadDialogTitle),
                                                      QDir::currentPath(), QString::fromLatin1(ui::kHexFileFilter));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtFileChooser::chooseFileToSave(QWidget* parent)
{
    // No default suffix: a name typed without an extension is used as typed.
    const QString name = QFileDialog::getSaveFileName(
        parent, QString::fromLatin1(ui::kSaveDialogTitle),
        QDir::current().filePath(QString::fromLatin1(ui::kProposedSaveName)), QString::fromLatin1(ui::kHexFileFilter));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

} // namespace velmora
