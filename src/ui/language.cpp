// The game's language: Qt's own Italian from the system's Qt translations, the game's English
// from its own translation built into the program.
#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QSettings>

namespace ui {

namespace {

const QString kKey = QStringLiteral("language");
const QString kEnglish = QStringLiteral("en");
const QString kItalian = QStringLiteral("it");

std::unique_ptr<QSettings> openSettings(const QString& file)
{
    if (file.isEmpty()) {
        return std::make_unique<QSettings>();
    }
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

} // namespace

Language::Language(QString settingsFile) : m_settingsFile(std::move(settingsFile)) {}

Language::~Language()
{
    if (m_qt) {
        QCoreApplication::removeTranslator(m_qt.get());
    }
    if (m_game) {
        QCoreApplication::removeTranslator(m_game.get());
    }
}

Language::Choice Language::saved() const
{
    return openSettings(m_settingsFile)->value(kKey).toString() == kEnglish ? Choice::English
                                                                            : Choice::Italian;
}

void Language::apply(Choice choice)
{
    // Removing the old translators first: a translator installed later is asked first.
    for (std::unique_ptr<QTranslator>* translator : {&m_qt, &m_game}) {
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    }
    m_current = choice;
    if (choice == Choice::Italian) {
        // The game's texts are written in Italian; Qt's own come from Qt's translations.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_it"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            m_qt = std::move(qt);
        }
    } else {
        // Qt's own texts are written in English; the game's come from its translation.
        auto game = std::make_unique<QTranslator>();
        if (game->load(QStringLiteral(":/i18n/tolvstreet_en.qm"))) {
            QCoreApplication::installTranslator(game.get());
            m_game = std::move(game);
        }
    }
}

void Language::choose(Choice choice)
{
    apply(choice);
    openSettings(m_settingsFile)->setValue(kKey, choice == Choice::English ? kEnglish : kItalian);
}

} // namespace ui
