// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/print_slips_dialog.h"

#include "app/program_data.h"
#include "printing/slip_document.h"
#include "ui/named_widgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

PrintSlipsDialog::PrintSlipsDialog(ProgramData &data, const SyndicateRecord &syndicate,
                                   QWidget *parent)
    : QDialog(parent), m_data(data), m_syndicate(syndicate)
{
    setObjectName(u"Imprimir"_s);
    setWindowTitle(u"Imprimir boletos"_s);
    const bool multiple = MultipleCode::isMultiple(syndicate.betCount);

    auto *title = valueLabel(u"IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA: "_s + syndicate.nameText(),
                             u"Label10"_s, this);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(u"-Total apuestas:"_s, this), 0, 0);
    grid->addWidget(
        valueLabel(multiple ? u"1"_s : QString::number(syndicate.betCount), u"Label2_0"_s, this), 0,
        1);
    grid->addWidget(new QLabel(u"-Nº de boletos oficiales que necesita:"_s, this), 1, 0);
    grid->addWidget(valueLabel(QString::number(slipCount(syndicate)), u"Label2_1"_s, this), 1, 1);
    grid->addWidget(new QLabel(u"-Asegúrese que el papel sea para jugar los:"_s, this), 2, 0);
    grid->addWidget(valueLabel(syndicate.daysText(), u"Label2_2"_s, this), 2, 1);

    auto *corrections = new QHBoxLayout;
    corrections->addWidget(new QLabel(u"Corrección margen impresora:"_s, this));
    const float values[2] = {data.settings().printOffsetX, data.settings().printOffsetY};
    for (int i = 0; i < 2; ++i) {
        corrections->addWidget(new QLabel(i == 0 ? u"X"_s : u"Y"_s, this));
        m_corrections[i] = new QLineEdit(priceText(values[i]), this);
        m_corrections[i]->setObjectName(u"Text1_"_s + QString::number(i));
        m_corrections[i]->setMaximumWidth(60);
        m_corrections[i]->setAlignment(Qt::AlignRight);
        m_corrections[i]->installEventFilter(this);
        corrections->addWidget(m_corrections[i]);
        connect(m_corrections[i], &QLineEdit::textEdited, this,
                [this, i](const QString &text) { correctionEdited(i, text); });
    }
    corrections->addWidget(new QLabel(u"mm."_s, this));
    corrections->addStretch(1);

    m_extraMark = new QCheckBox(u"Sólo en papel oficial"_s, this);
    m_extraMark->setObjectName(u"Check1"_s);
    m_extraMark->setToolTip(u"Marca también la casilla que hay bajo la primera columna del "
                            u"bloque 8 del boleto oficial."_s);

    auto *official = new QPushButton(u"Imprimir en papel oficial"_s, this);
    official->setObjectName(u"Command1"_s);
    official->setToolTip(u"Ajuste X e Y hasta que las x impresas caigan dentro de las "
                         u"casillas: a veces los boletos oficiales vienen cortados de forma "
                         u"irregular."_s);
    auto *plain = new QPushButton(u"Imprimir en papel normal"_s, this);
    plain->setObjectName(u"Command2"_s);
    plain->setToolTip(
        u"Imprime en papel normal una participación compatible con el sistema oficial!"_s);
    // Seeing the slips needs no printer: the preview shows the official marks,
    // or the participations when "En papel normal" is ticked.
    m_plainPreview = new QCheckBox(u"En papel normal"_s, this);
    m_plainPreview->setObjectName(u"PreviewPlain"_s);
    auto *preview = new QPushButton(u"Vista previa"_s, this);
    preview->setObjectName(u"Preview"_s);
    preview->setToolTip(u"Muestra los boletos como saldrán impresos; desde allí también se "
                        u"imprimen o se guardan en PDF."_s);
    connect(official, &QPushButton::clicked, this, [this] { print(false); });
    connect(plain, &QPushButton::clicked, this, [this] { print(true); });
    connect(preview, &QPushButton::clicked, this, [this] {
        m_data.platform().desktop.previewDocument(document(m_plainPreview->isChecked()),
                                                  documentTitle());
    });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_extraMark);
    buttons->addStretch(1);
    buttons->addWidget(official);
    buttons->addWidget(plain);
    auto *previewRow = new QHBoxLayout;
    previewRow->addStretch(1);
    previewRow->addWidget(m_plainPreview);
    previewRow->addWidget(preview);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(grid);
    layout->addLayout(corrections);
    layout->addLayout(buttons);
    layout->addLayout(previewRow);
}

void PrintSlipsDialog::correctionEdited(int box, const QString &text)
{
    Settings &settings = m_data.settings();
    float &value = box == 0 ? settings.printOffsetX : settings.printOffsetY;
    const PriceEdit edit = editDecimal(text, value);
    if (edit.resetText) {
        // A text that is not a number puts both corrections back as they were.
        m_corrections[0]->setText(priceText(settings.printOffsetX));
        m_corrections[1]->setText(priceText(settings.printOffsetY));
    }
    value = edit.stored;
    m_data.saveSettings(m_saveFailureShown);
}

bool PrintSlipsDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving the box warns; the window merely losing activation (the player
    // clicks the main window) or a menu popping up does not.
    const auto leftBox = [event] {
        if (event->type() != QEvent::FocusOut)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    if (leftBox()) {
        for (QLineEdit *box : m_corrections) {
            if (watched == box && box->text().trimmed().isEmpty())
                m_data.platform().messages.show(
                    {u"Te has dejado una coordenada en blanco. Introduce un número válido."_s,
                     u"EHEHEHH"_s, MessageIcon::Critical});
        }
    }
    return QDialog::eventFilter(watched, event);
}

PrintDocument PrintSlipsDialog::document(bool plainPaper) const
{
    SlipOptions options;
    options.mode = plainPaper ? SlipMode::Plain : SlipMode::Official;
    options.offsetX = m_data.settings().printOffsetX;
    options.offsetY = m_data.settings().printOffsetY;
    options.extraMark = m_extraMark->isChecked();
    return buildSlipDocument(m_syndicate, options);
}

QString PrintSlipsDialog::documentTitle() const
{
    return u"Boletos de la peña "_s + m_syndicate.nameText();
}

void PrintSlipsDialog::print(bool plainPaper)
{
    if (m_data.platform().desktop.printDocument(document(plainPaper), documentTitle()) !=
        PrintOutcome::Failed)
        return;
    m_data.platform().messages.show(
        {u"No se han podido imprimir los boletos: no hay ninguna impresora disponible o no "
         u"responde.\r\nCon \"Vista previa\" puede verlos y guardarlos en PDF."_s,
         u"Imprimir boletos"_s, MessageIcon::Exclamation});
}

} // namespace zafrano::gui
