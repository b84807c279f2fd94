// The Hall of Fame window Form2: the list of winners, read from the Hall of Fame when it opens.
#pragma once

#include "ui/session.h"

#include <QWidget>

class QLabel;

namespace ui {

class Form2 final : public QWidget {
    Q_OBJECT
public:
    // Not modal and without an owner; it reads the list once, in Form_Load, and deletes itself
    // when it closes, so the next opening reads it again.
    explicit Form2(Session& session, QWidget* parent = nullptr);

    void Form_Load();

private:
    Session& m_session;
    QLabel* Label1;
    QLabel* Label2;
};

// The list's text as the label shows it: every carriage return (alone or before a line feed)
// breaks the line.
QString hallOfFameLines(const QString& text);

} // namespace ui
