// The language of the game's texts and of Qt's own (standard buttons, context menus): Italian
// unless the player picks English in "Opzioni"; the choice is kept in the user's settings.
#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

namespace ui {

class Language {
public:
    enum class Choice { Italian, English };

    // Keeps the choice in the platform's settings for the user, or in the given settings file.
    explicit Language(QString settingsFile = {});
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // The choice kept from the last time, Italian when none was made.
    Choice saved() const;
    // Installs the translations of the choice: every text shown from now on follows it, and open
    // windows get a LanguageChange event.
    void apply(Choice choice);
    // apply(), and keeps the choice for the next start.
    void choose(Choice choice);
    Choice current() const { return m_current; }

private:
    QString m_settingsFile;
    Choice m_current = Choice::Italian;
    std::unique_ptr<QTranslator> m_qt;
    std::unique_ptr<QTranslator> m_game;
};

} // namespace ui
