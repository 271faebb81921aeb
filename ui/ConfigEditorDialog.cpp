#include "ui/ConfigEditorDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogFrame.h"
#include "ui/EditorTexts.h"
#include "ui/ErrorHook.h"
#include "ui/HexByteEdit.h"

namespace velmora {

QGroupBox* createHexFieldGroup(const QString& caption, HexByteEdit** fields, int count, int fieldsPerColumn,
                               QWidget* parent)
{
    auto* group = new QGroupBox(caption, parent);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < count; ++i) {
        fields[i] = new HexByteEdit(i, group);
        fields[i]->setFixedWidth(fields[i]->fontMetrics().horizontalAdvance(QStringLiteral("00:FF")) + 16);
        grid->addWidget(fields[i], i % fieldsPerColumn, i / fieldsPerColumn);
    }
    group->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    return group;
}

ConfigEditorDialog::ConfigEditorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8(editor::kCaption));
    content_ = new QVBoxLayout(this);
}

QGroupBox* ConfigEditorDialog::createIdGroup(int fieldsPerColumn)
{
    return createHexFieldGroup(QString::fromUtf8(editor::kIdGroup), idEdits_.data(), kIdCount, fieldsPerColumn, this);
}

void ConfigEditorDialog::finishLayout()
{
    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QDialogButtonBox::Ok);
    buttons->addButton(QDialogButtonBox::Cancel);
    okButton_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    content_->addWidget(buttons);
    makeFixedDialog(this, 0, 0, MinimizeBox::Shown);
}

void ConfigEditorDialog::fitToContents()
{
    content_->activate();
    setFixedSize(content_->sizeHint());
}

void ConfigEditorDialog::loadIds(const MemoryImage& image)
{
    for (int i = 0; i < kIdCount; ++i)
        idEdits_[static_cast<std::size_t>(i)]->setByte(image.ids[i]);
}

void ConfigEditorDialog::writeIds(MemoryImage& image) const
{
    for (int i = 0; i < kIdCount; ++i)
        image.ids[i] = idEdits_[static_cast<std::size_t>(i)]->byteValue();
}

void ConfigEditorDialog::EditConfiguration(DeviceImage& image, const std::function<void()>& refreshIdsAndConfig)
{
    load(image);
    if (exec() != QDialog::Accepted)
        return;
    writeBack(image);
    refreshIdsAndConfig();
}

void ConfigEditorDialog::done(int result)
{
    auto* field = qobject_cast<HexByteEdit*>(focusWidget());
    if (field != nullptr && !field->isComplete()) {
        if (!field->errorPending())
            ErrorHook::handle(MaskedEditValidationError());
        return;
    }
    QDialog::done(result);
}

void ConfigEditorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    okButton_->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora
