#include "ui/COMSel.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicedata/IniFile.h"
#include "devicedata/UserMessages.h"
#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

TForm6::TForm6(UserMessages& messages, QWidget* parent) : QDialog(parent), messages_(messages)
{
    setWindowTitle(QString::fromLatin1(ui::kComSelectCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromLatin1(ui::kComInitStringLabel), this));
    edit_ = new QLineEdit(QString::fromLatin1(ui::kDefaultPort), this);
    layout->addWidget(edit_);
    auto* grid = new QGridLayout;
    for (int number = 1; number <= 4; ++number) {
        const QString port = QStringLiteral("COM%1").arg(number);
        auto* button = new QPushButton(QString::fromLatin1(ui::kUseComPrefix) + QString::number(number), this);
        button->setAutoDefault(false);
        grid->addWidget(button, (number - 1) / 2, (number - 1) % 2);
        connect(button, &QPushButton::clicked, this, [this, port] {
            edit_->setText(port);
            edit_->setFocus(Qt::OtherFocusReason);
        });
        useCom_[number - 1] = button;
    }
    layout->addLayout(grid);
    // The forms beyond COM1 to COM4, for a user who has never seen the command line.
    portForms_ = new QLabel(QString::fromLatin1(ui::kPortForms), this);
    portForms_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(portForms_);
    ok_ = addOkCancelRow(this, layout);
    makeFixedDialog(this, 201, 160, MinimizeBox::Shown);
}

bool TForm6::SelectComPort(std::string& port)
{
    edit_->setText(QString::fromStdString(port));
    if (exec() != QDialog::Accepted)
        return false;
    port = edit_->text().toStdString();
    return true;
}

void TForm6::accept()
{
    const std::size_t length = edit_->text().toStdString().size();
    if (length > IniFile::kLongestValue) {
        showError(messages_, ui::kPortStringTooLongPrefix + std::to_string(length) + ui::kPortStringTooLongMiddle
                                 + std::to_string(IniFile::kLongestValue) + ui::kPortStringTooLongSuffix);
        edit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    edit_->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora
