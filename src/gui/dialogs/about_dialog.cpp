// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/about_dialog.h"

#include "common/os_version.h"
#include "common/version.h"
#include "ui/platform.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

AboutDialog::AboutDialog(Desktop &desktop, const QString &webAddress, const QString &dataFolder,
                         QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Acercade"_s);
    setWindowTitle(u"Zafrano v."_s + QString::fromUtf16(ProgramVersion));

    auto *logo = new QLabel(this);
    logo->setPixmap(QIcon(u":/zafrano/zafrano.svg"_s).pixmap(72, 72));
    logo->setAlignment(Qt::AlignCenter);
    auto *title = new QLabel(u"<b style='font-size:16pt'>Zafrano</b><br>versión "_s +
                                 QString::fromUtf16(ProgramVersion),
                             this);
    title->setObjectName(u"Label1"_s);
    title->setAlignment(Qt::AlignCenter);
    auto *tagline = new QLabel(u"Comprueba tus números por internet."_s, this);
    tagline->setAlignment(Qt::AlignCenter);

    auto *site = new QLabel(u"<a href='#'>%1</a>"_s.arg(webAddress.toHtmlEscaped()), this);
    site->setObjectName(u"Label2"_s);
    site->setAlignment(Qt::AlignCenter);
    site->setCursor(Qt::PointingHandCursor);
    connect(site, &QLabel::linkActivated, this,
            [&desktop, webAddress] { desktop.openUrl(QUrl(u"http://"_s + webAddress)); });

    auto *system = new QLabel(u"S.O: "_s + versionToName(nativeGetVersion()), this);
    system->setObjectName(u"Label4"_s);
    system->setAlignment(Qt::AlignCenter);

    auto *folder =
        new QLabel(u"Datos: "_s + QDir::toNativeSeparators(QDir::cleanPath(dataFolder)), this);
    folder->setObjectName(u"DataFolder"_s);
    folder->setAlignment(Qt::AlignCenter);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->setWordWrap(true);

    auto *close = new QDialogButtonBox(this);
    close->addButton(u"Cerrar"_s, QDialogButtonBox::RejectRole);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    for (QWidget *widget :
         std::initializer_list<QWidget *>{logo, title, tagline, site, system, folder})
        layout->addWidget(widget);
    layout->addWidget(close);
    setMinimumWidth(320);
}

} // namespace zafrano::gui
