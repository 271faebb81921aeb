#include "ui/About.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogFrame.h"
#include "ui/ProgramIcons.h"
#include "ui/UiTexts.h"

namespace velmora {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(ui::kAboutCaption));
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* panelLayout = new QHBoxLayout(panel);
    auto* icon = new QLabel(panel);
    icon->setPixmap(programIcon().pixmap(48, 48));
    panelLayout->addWidget(icon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    auto* product = new QLabel(QString::fromLatin1(ui::kAppTitle), panel);
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.5);
    product->setFont(productFont);
    texts->addWidget(product);
    texts->addWidget(new QLabel(QString::fromLatin1(ui::kVersionLine), panel));
    texts->addStretch();
    panelLayout->addLayout(texts);
    layout->addWidget(panel);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    makeFixedDialog(this, 217, 163, MinimizeBox::Hidden);
    // The About box has a dialog border without a system menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
}

} // namespace velmora
