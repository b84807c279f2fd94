// The producer window: a title card about the game's maker that closes itself after a moment.
#pragma once

#include <QFrame>
#include <QWidget>

#include <cstdint>
#include <functional>

class QLabel;
class QTimer;

namespace ui {

// The producer window's tick count. It outlives each showing of the window, so the application
// owns it and hands it to every frmSplash it opens.
class SplashCounter {
public:
    std::int16_t value() const { return m_ticks; }
    // Adds one tick; true when this tick is the one that closes the window (the count then
    // starts again from 0).
    bool tick();

private:
    std::int16_t m_ticks = 0;
};

// The window's frame, which reports clicks on its own surface only, not on what lies on it.
class SplashFrame final : public QFrame {
    Q_OBJECT
public:
    explicit SplashFrame(std::function<void()> clicked, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool onSurface(const QPointF& position) const;
    std::function<void()> m_clicked;
    bool m_pressed = false;
};

class frmSplash final : public QWidget {
    Q_OBJECT
public:
    // bringMainWindowBack loads the main window if it is not loaded and shows it; it runs
    // whenever this window closes itself. The window deletes itself when it closes.
    frmSplash(SplashCounter& counter, std::function<void()> bringMainWindowBack,
              QWidget* parent = nullptr);

    void Form_Load();
    void Form_KeyPress(int keyAscii);
    void Frame1_Click();
    void Timer1_Timer();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void closeAndReturn();

    SplashCounter& m_counter;
    std::function<void()> m_bringMainWindowBack;
    bool m_closing = false;

    SplashFrame* Frame1;
    QLabel* lblCompanyProduct;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* lblPlatform;
    QLabel* lblVersion;
    QLabel* lblCompany;
    QLabel* Label1;
    QTimer* Timer1;
};

} // namespace ui
