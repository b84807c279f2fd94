// The Hall of Fame window Form2: the list of winners, read from the Hall of Fame when it opens.
#pragma once

#include "session/session.h"

#include <QLabel>
#include <QWidget>

class QScrollBar;

namespace ui {

// The list of winners: a label that looks as designed while the list fits its place, and
// scrolls (with a scroll bar inside its border) when the list is taller, so that no winner is
// out of reach. A screen reader hears the whole list.
class WinnersList final : public QLabel {
    Q_OBJECT
public:
    explicit WinnersList(QWidget* parent = nullptr);

    void setList(const QString& text);
    // Shown only while the list is taller than its place.
    QScrollBar* scrollBar() const { return m_scrollBar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The lines' flags, as the label itself draws them.
    int textFlags() const;
    // The room beside the scroll bar, and the room the text above it leaves as the label does.
    QRect pageArea() const;
    int topIndent() const;
    void updateScrolling();

    QScrollBar* m_scrollBar;
};

class Form2 final : public QWidget {
    Q_OBJECT
public:
    // Not modal and without an owner; it reads the list once, in Form_Load, and deletes itself
    // when it closes, so the next opening reads it again.
    explicit Form2(session::Session& session, QWidget* parent = nullptr);

    void Form_Load();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    session::Session& m_session;
    QLabel* Label1;
    WinnersList* Label2;
};

// The list's text as the label shows it: every carriage return (alone or before a line feed)
// breaks the line.
QString hallOfFameLines(const QString& text);

} // namespace ui
