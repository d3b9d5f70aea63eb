// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/manual_draw_dialog.h"

#include "app/program_data.h"
#include "checking/prize_category.h"
#include "common/money.h"
#include "net/draw_intake.h"
#include "store/day_serial.h"
#include "store/prize_store.h"
#include "store/program_database.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

QSpinBox *numberBox(const QString &name, int low, int high, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    return box;
}

const QStringList &categoryCaptions()
{
    static const QStringList captions = [] {
        QStringList names;
        for (const PrizeCategoryInfo &category : PrizeCategories)
            names.append(QString::fromUtf16(category.name) + u':');
        names.append(u"Reintegro:"_s);
        return names;
    }();
    return captions;
}

} // namespace

ManualDrawDialog::ManualDrawDialog(ProgramData &data, QWidget *parent)
    : QDialog(parent), m_data(data)
{
    setObjectName(u"AddDrawWindow"_s);
    setWindowTitle(u"Añadir sorteo a mano"_s);
    const QDate today = data.platform().clock.today();

    m_date = new QDateEdit(today, this);
    m_date->setObjectName(u"DrawDate"_s);
    m_date->setDisplayFormat(u"dd/MM/yyyy"_s);
    m_date->setCalendarPopup(true);
    // No maximum: with one, a day typed over today's is cut short (see the
    // account's date boxes); a draw after today is refused when it is kept.

    auto *numbers = new QHBoxLayout;
    for (int i = 0; i < 6; ++i) {
        m_numbers.append(numberBox(u"DrawNumber_"_s + QString::number(i), 1, 49, this));
        numbers->addWidget(m_numbers.last());
    }
    m_complementario = numberBox(u"DrawComplementario"_s, 1, 49, this);
    m_reintegro = numberBox(u"DrawReintegro"_s, 0, 9, this);

    auto *form = new QFormLayout;
    form->addRow(u"Fecha:"_s, m_date);
    form->addRow(u"Números:"_s, numbers);
    form->addRow(u"Complementario:"_s, m_complementario);
    form->addRow(u"Reintegro:"_s, m_reintegro);

    auto *prizes = new QGroupBox(u"Premios por apuesta (opcional, en euros)"_s, this);
    auto *grid = new QGridLayout(prizes);
    for (int k = 0; k < categoryCaptions().size(); ++k) {
        auto *edit = new QLineEdit(prizes);
        edit->setObjectName(u"DrawPrize_"_s + QString::number(k));
        edit->setPlaceholderText(u"desconocido"_s);
        grid->addWidget(new QLabel(categoryCaptions()[k], prizes), k, 0);
        grid->addWidget(edit, k, 1);
        m_prizes.append(edit);
    }

    auto *save = new QPushButton(u"Grabar"_s, this);
    save->setObjectName(u"DrawSave"_s);
    save->setDefault(true);
    auto *cancel = new QPushButton(u"Cancelar"_s, this);
    cancel->setObjectName(u"DrawCancel"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(prizes);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &ManualDrawDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ManualDrawDialog::save()
{
    if (m_stored) {
        savePrizes();
        return;
    }
    std::array<int, 6> numbers{};
    for (int i = 0; i < 6; ++i)
        numbers[i] = m_numbers[i]->value();
    Result<FetchedDraw> typed =
        drawTypedIn(m_date->date(), numbers, m_complementario->value(), m_reintegro->value(),
                    m_data.draws(), m_data.platform().clock.today());
    if (!typed) {
        m_data.platform().messages.show(typed.error().message);
        return;
    }
    FetchedDraw draw = typed.value();
    if (!readPrizes(draw.prizes))
        return;
    const std::optional<FolderLock::Held> lock = m_data.lockForWriting();
    if (!lock)
        return;
    Result<Intake> intake = takeInDraws(m_data.folder(), {draw});
    if (!intake) {
        m_data.showFailure(intake.error());
        return;
    }
    if (intake->notice)
        m_data.platform().messages.show(*intake->notice);
    accept();
    emit drawAdded();
}

void ManualDrawDialog::showStoredDraw(const DrawRecord &draw)
{
    m_stored = draw;
    setWindowTitle(u"Premios del sorteo del "_s + shortDate(draw.date()));
    m_date->setDate(draw.date());
    for (int i = 0; i < 6; ++i)
        m_numbers[i]->setValue(draw.numbers[i]);
    m_complementario->setValue(draw.complementario);
    m_reintegro->setValue(draw.reintegro);
    for (QWidget *box : QList<QWidget *>{m_date, m_complementario, m_reintegro} +
                            QList<QWidget *>(m_numbers.begin(), m_numbers.end()))
        box->setEnabled(false);
    const Result<std::optional<DrawPrizes>> known = prizesOfDraw(m_data.folder(), draw.date());
    for (int k = 0; k < m_prizes.size() && known && known.value(); ++k) {
        if (const std::optional<qint64> &cents = (*known)->cents[k])
            m_prizes[k]->setText(moneyText(*cents));
    }
}

bool ManualDrawDialog::readPrizes(DrawPrizes &prizes)
{
    for (int k = 0; k < m_prizes.size(); ++k) {
        const QString text = m_prizes[k]->text().trimmed();
        if (text.isEmpty())
            continue;
        Result<Cents> cents = amountFromText(text);
        if (!cents) {
            ProgramMessage message = cents.error().message;
            message.text =
                u"El premio de "_s + categoryCaptions()[k].chopped(1) + u": "_s + message.text;
            m_data.platform().messages.show(message);
            return false;
        }
        prizes.cents[k] = cents.value();
    }
    return true;
}

void ManualDrawDialog::savePrizes()
{
    DrawPrizes prizes;
    prizes.date = m_stored->date();
    if (!readPrizes(prizes))
        return;
    Result<ProgramDatabase> db = ProgramDatabase::openIn(m_data.folder());
    const Status kept = db ? storePrizesOfDraw(*db, m_data.draws(), prizes) : Status(db.error());
    if (!kept) {
        m_data.platform().messages.show(kept.error().message);
        return;
    }
    accept();
    emit prizesAdded();
}

} // namespace zafrano::gui
