#include "ui/about/taboutbox.h"

#include "os/windowplacement.h"
#include "platform/fonts.h"
#include "platform/ownedchild.h"
#include "platform/picturebox.h"
#include "platform/showfailure.h"
#include "resources/resources.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = platform::makeChild<QLabel>(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleName(text);
    label->move(at);
    label->resize(label->sizeHint());
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    resources::load();
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setAccessibleName(windowTitle());
    setFont(platform::dialogFont());
    setFixedSize(kClientSize);
    // The face by role, so that it follows a theme change.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Panel1 = platform::makeChild<QFrame>(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setGeometry(11, 8, 326, 177);

    ProgramIcon = platform::makeChild<platform::PictureBox>(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAccessibleName(QStringLiteral("Bandeau de l'éditeur"));
    ProgramIcon->setGeometry(6, 8, 314, 43);
    ProgramIcon->setScaledContents(true);
    platform::guarded([this] { ProgramIcon->setPicture(QStringLiteral(":/pictures/banner.jpg")); });

    ProductName = makeLabel(Panel1, "ProductName", QStringLiteral("Quilvar"), {144, 54});
    Version = makeLabel(Panel1, "Version", QStringLiteral("Version 1.0"), {137, 84});
    LabelEditeur =
        makeLabel(Panel1, "LabelEditeur", QStringLiteral("Édité par Vorlanique"), {99, 114});
    LabelAuteur = makeLabel(Panel1, "LabelAuteur", QStringLiteral("Auteur : l'atelier Corvendal"),
                            {109, 144});
    LabelAuteur->setWordWrap(true);
    LabelAuteur->resize(Panel1->width() - 109 - 6, LabelAuteur->heightForWidth(211));

    OKButton = platform::makeChild<QPushButton>(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(QStringLiteral("OK"));
    OKButton->setGeometry(135, 188, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

// Centred on the screen at every showing; the focus starts on the OK button.
void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    os::centreOnScreen(*this);
    OKButton->setFocus(Qt::OtherFocusReason);
}
