// The ledger window's number texts and colours.
#include "ui/ledger_texts.h"

#include "game/game_state.h"
#include "ui/window_look.h"

#include <QCoreApplication>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace ui::ledger {

namespace {

constexpr QChar kNarrowSpace(0x202F);
constexpr QChar kMinus(0x2212);

// The game's own text ("-1234567,89", "+12,00", "1,5E+20") with its whole part grouped and a
// true minus: the rounding stays the game's, so the table and the CSV never disagree.
QString grouped(const std::string& plain)
{
    QString text = QString::fromLatin1(plain);
    if (text.contains(QLatin1Char('E'))) {
        if (text.startsWith(QLatin1Char('-'))) {
            text[0] = kMinus;
        }
        return text;
    }
    QString sign;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        sign = text.startsWith(QLatin1Char('-')) ? QString(kMinus) : QStringLiteral("+");
        text.remove(0, 1);
    }
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const qsizetype whole = comma < 0 ? text.size() : comma;
    for (qsizetype at = whole - 3; at > 0; at -= 3) {
        text.insert(at, kNarrowSpace);
    }
    return sign + text;
}

QColor mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// The colour moved toward the palette's text just far enough to read on every face.
QColor readable(const QColor& colour, const QPalette& palette)
{
    const QColor faces[] = {palette.color(QPalette::Base), palette.color(QPalette::AlternateBase),
                            palette.color(QPalette::Window)};
    const QColor text = palette.color(QPalette::Text);
    for (int step = 0; step <= 20; ++step) {
        const QColor c = mixed(colour, text, step / 20.0);
        if (std::all_of(std::begin(faces), std::end(faces),
                        [&c](const QColor& face) { return contrast(c, face) >= 4.5; })) {
            return c;
        }
    }
    return text;
}

} // namespace

QString unknown()
{
    return QStringLiteral("\u2014");
}

QString money(game::Figure value)
{
    return value ? grouped(game::moneyText(*value)) : unknown();
}

QString signedMoney(game::Figure value)
{
    return value ? grouped(game::signedMoneyText(*value)) : unknown();
}

QString signedPercent(game::Figure value)
{
    return value ? grouped(game::signedMoneyText(*value)) + QLatin1Char('%') : unknown();
}

QString percent(game::Figure value)
{
    return value ? grouped(game::moneyText(*value)) + QLatin1Char('%') : unknown();
}

QString shares(double value)
{
    return grouped(game::numberText(value));
}

QString count(std::int64_t value)
{
    return grouped(std::to_string(value));
}

int sign(game::Figure value)
{
    if (!value) {
        return 0;
    }
    // What the text shows: a loss of 0,001 reads "0,00" and is no loss.
    const std::string text = game::moneyText(*value);
    if (text.find_first_of("123456789") == std::string::npos) {
        return 0;
    }
    return *value > 0 ? 1 : -1;
}

QString date(const game::Date& date)
{
    return QString::fromLatin1(game::dateText(date));
}

QString company(int index)
{
    if (index < 0 || index >= game::kCompanyCount) {
        return {};
    }
    return QString::fromUtf8(
        std::string(game::companyTable()[static_cast<std::size_t>(index)].name));
}

QString unknownCostTip()
{
    return QCoreApplication::translate(
        "ui::LedgerWindow",
        "Il costo di queste azioni non è noto: il gioco è andato avanti senza il registro "
        "(salvataggi di una versione precedente o file rimessi a mano). Torna noto quando le "
        "azioni della società scendono a zero.");
}

Tones tones(const QPalette& palette)
{
    const bool dark = palette.color(QPalette::Base).lightnessF() < 0.5;
    return {readable(dark ? QColor(0x6f, 0xcf, 0x73) : QColor(0x1b, 0x7f, 0x3a), palette),
            readable(dark ? QColor(0xff, 0x7a, 0x7a) : QColor(0xc6, 0x28, 0x28), palette)};
}

} // namespace ui::ledger
