// The producer window: its layout, and when it closes and brings the main window back.
#include "ui/splash_window.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace {

class SplashTest : public ::testing::Test {
protected:
    // Opens a window as the main window's menu does. Its real timer is stopped so that the
    // test alone decides when a tick happens.
    QPointer<ui::frmSplash> open(bool stopTimer = true)
    {
        auto* splash = new ui::frmSplash(counter, [this] { ++broughtBack; });
        splash->show();
        if (stopTimer) {
            splash->findChild<QTimer*>(QStringLiteral("Timer1"))->stop();
        }
        return splash;
    }

    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static bool closed(const QPointer<ui::frmSplash>& splash)
    {
        flushDeletes();
        return splash.isNull();
    }

    static void ticks(const QPointer<ui::frmSplash>& splash, int count)
    {
        for (int i = 0; i < count && !splash.isNull(); ++i) {
            splash->Timer1_Timer();
        }
    }

    void TearDown() override
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<ui::frmSplash*>(widget) != nullptr) {
                delete widget;
            }
        }
        flushDeletes();
    }

    ui::SplashCounter counter;
    int broughtBack = 0;
};

TEST_F(SplashTest, LayoutTextsAndFonts)
{
    QPointer<ui::frmSplash> splash = open();
    // The client area keeps its size inside the window's own border.
    auto* client = splash->findChild<QWidget*>(QStringLiteral("client"));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(QRect(client->mapTo(splash, QPoint(0, 0)), client->size()),
              QRect(QPoint(3, 3), QSize(492, 283)));
    EXPECT_EQ(splash->size(), QSize(498, 289));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->windowType(), Qt::Tool);
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
    EXPECT_TRUE(splash->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_TRUE(splash->testAttribute(Qt::WA_QuitOnClose));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((splash->frameGeometry().center() - screenCentre).manhattanLength(), 2);

    auto* frame = splash->findChild<QFrame*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(10, 4, 472, 270));

    struct Expected {
        const char* name;
        QString text;      // empty: any text the maker chose, but not empty
        QPoint anchor;     // top-left, or top-right for a right-aligned label
        bool rightAligned;
        qreal points;
        bool bold;
        bool sizedToText;
    };
    const Expected labels[] = {
        {"lblSmallPrint", {}, {8 + 457, 16}, true, 8.25, false, false},
        {"lblCompanyProduct", {}, {157, 47}, false, 18, true, true},
        {"lblProductName", QStringLiteral("Tolv Street"), {168, 76}, false, 32.25, true, true},
        {"lblPlatform", QStringLiteral("PC/MAC/PLAYSTATION"), {224 + 233, 156}, true, 15.75,
         true, true},
        {"lblVersion", QStringLiteral("Versione 1.4.29"), {389 + 68, 180}, true, 12, true, true},
        {"lblCopyright", {}, {288, 204}, false, 8.25, false, false},
        {"lblCompany", {}, {288, 219}, false, 8.25, false, false},
    };
    for (const Expected& e : labels) {
        SCOPED_TRACE(e.name);
        auto* label = frame->findChild<QLabel*>(QString::fromLatin1(e.name));
        ASSERT_NE(label, nullptr);
        if (e.text.isEmpty()) {
            EXPECT_FALSE(label->text().isEmpty());
        } else {
            EXPECT_EQ(label->text(), e.text);
        }
        const QRect place = label->geometry();
        EXPECT_EQ(place.top(), e.anchor.y());
        EXPECT_EQ(e.rightAligned ? place.right() + 1 : place.left(), e.anchor.x());
        EXPECT_EQ(label->alignment().testFlag(Qt::AlignRight), e.rightAligned);
        EXPECT_EQ(label->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), e.points);
        EXPECT_EQ(label->font().bold(), e.bold);
        if (e.sizedToText) {
            EXPECT_EQ(place.size(), label->sizeHint());
        }
        // The credits fit inside the frame.
        EXPECT_TRUE(frame->rect().contains(place)) << place.x() << "," << place.width();
    }
    auto* label1 = frame->findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->geometry(), QRect(16, 248, 417, 17));
    EXPECT_FALSE(label1->text().isEmpty());

    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    EXPECT_EQ(timer->interval(), 20);
}

TEST_F(SplashTest, TheWindowDrawsTheRaisedEdgeOfAFixedDialog)
{
    QPointer<ui::frmSplash> splash = open();
    const QImage shot = splash->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(498, 289));
    const auto colour = [&splash](QPalette::ColorRole role) {
        return splash->palette().color(role).rgb();
    };
    // Ring by ring from the outside in, at the middle of each side: lit at the top and left,
    // shaded at the bottom and right, then a line of the window's face.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> rings[] = {
        {QPalette::Midlight, QPalette::Shadow},
        {QPalette::Light, QPalette::Dark},
        {QPalette::Window, QPalette::Window},
    };
    const QPoint middle(shot.width() / 2, shot.height() / 2);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shot.pixel(middle.x(), i), colour(rings[i].first));
        EXPECT_EQ(shot.pixel(i, middle.y()), colour(rings[i].first));
        EXPECT_EQ(shot.pixel(middle.x(), shot.height() - 1 - i), colour(rings[i].second));
        EXPECT_EQ(shot.pixel(shot.width() - 1 - i, middle.y()), colour(rings[i].second));
    }
    EXPECT_GT(qGray(shot.pixel(1, 1)), qGray(shot.pixel(shot.width() - 2, shot.height() - 2)));
}

TEST_F(SplashTest, LogoIsAStretchedBarChart)
{
    QPointer<ui::frmSplash> splash = open();
    auto* logo = splash->findChild<QLabel*>(QStringLiteral("imgLogo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->geometry(), QRect(24, 53, 121, 159));
    EXPECT_TRUE(logo->hasScaledContents());
    const QImage picture = logo->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(32, 32));
    std::set<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            colours.insert(picture.pixel(x, y) & 0xFFFFFF);
        }
    }
    for (QRgb wanted : {0xFFFFFFu, 0xFF0000u, 0x0000FFu, 0xFF00FFu, 0x00FF00u, 0xC0C0C0u}) {
        EXPECT_EQ(colours.count(wanted), 1u) << std::hex << wanted;
    }
    EXPECT_LE(colours.size(), 16u);
}

TEST_F(SplashTest, TickCounterOutlivesEachShowing)
{
    // Left alone: closes on the 30th tick and brings the main window back.
    QPointer<ui::frmSplash> splash = open();
    ticks(splash, 29);
    EXPECT_FALSE(closed(splash));
    EXPECT_EQ(counter.value(), 29);
    EXPECT_EQ(broughtBack, 0);
    splash->Timer1_Timer();
    EXPECT_TRUE(closed(splash));
    EXPECT_EQ(broughtBack, 1);
    EXPECT_EQ(counter.value(), 0);

    // Closed by a key after 10 ticks: the count is kept, so next time 20 ticks close it.
    splash = open();
    ticks(splash, 10);
    QTest::keyClick(splash.data(), Qt::Key_A);
    EXPECT_TRUE(closed(splash));
    EXPECT_EQ(broughtBack, 2);
    EXPECT_EQ(counter.value(), 10);

    splash = open();
    ticks(splash, 19);
    EXPECT_FALSE(closed(splash));
    splash->Timer1_Timer();
    EXPECT_TRUE(closed(splash));
    EXPECT_EQ(broughtBack, 3);
    EXPECT_EQ(counter.value(), 0);

    // Closed by itself: the next showing lasts the full 30 ticks again.
    splash = open();
    ticks(splash, 29);
    EXPECT_FALSE(closed(splash));
    splash->Timer1_Timer();
    EXPECT_TRUE(closed(splash));
    EXPECT_EQ(broughtBack, 4);
}

TEST_F(SplashTest, TypedCharactersCloseOtherKeysDoNot)
{
    const std::pair<Qt::Key, bool> keys[] = {
        {Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Escape, true},
        {Qt::Key_Space, true},  {Qt::Key_Z, true},     {Qt::Key_5, true},
        {Qt::Key_Left, false},  {Qt::Key_Down, false}, {Qt::Key_F1, false},
        {Qt::Key_F12, false},   {Qt::Key_Shift, false}, {Qt::Key_Control, false},
    };
    for (const auto& [key, closes] : keys) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        broughtBack = 0;
        QPointer<ui::frmSplash> splash = open();
        ticks(splash, 2);
        QTest::keyClick(splash.data(), key);
        EXPECT_EQ(closed(splash), closes);
        EXPECT_EQ(broughtBack, closes ? 1 : 0);
        delete splash.data();
    }
    EXPECT_EQ(counter.value(), 24); // 12 showings of 2 ticks, no reset
}

TEST_F(SplashTest, OnlyAClickOnTheFrameSurfaceCloses)
{
    struct Case {
        const char* where;
        const char* child; // nullptr: the window itself
        QPoint at;         // in the clicked widget
        bool closes;
    };
    const Case cases[] = {
        {"the product name", "lblProductName", {5, 5}, false},
        {"the version line", "lblVersion", {5, 5}, false},
        {"the small print", "lblSmallPrint", {400, 5}, false},
        {"the notice", "Label1", {5, 5}, false},
        {"the picture", "imgLogo", {60, 80}, false},
        {"the margin around the frame", nullptr, {3, 2}, false},
        {"the frame's surface", "Frame1", {200, 240}, true},
        {"the frame's surface beside the picture", "Frame1", {155, 150}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        broughtBack = 0;
        QPointer<ui::frmSplash> splash = open();
        ticks(splash, 3);
        QWidget* target = splash.data();
        if (c.child != nullptr) {
            target = splash->findChild<QWidget*>(QString::fromLatin1(c.child));
        }
        ASSERT_NE(target, nullptr);
        if (c.closes) {
            ASSERT_EQ(target->childAt(c.at), nullptr) << "the point lies on a label";
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, c.at);
        EXPECT_EQ(closed(splash), c.closes);
        EXPECT_EQ(broughtBack, c.closes ? 1 : 0);
        delete splash.data();
    }
    EXPECT_EQ(counter.value(), 24); // 8 showings of 3 ticks, no reset
}

TEST_F(SplashTest, TheRealTimerClosesTheWindow)
{
    QPointer<ui::frmSplash> splash = open(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed(splash); }, 10000));
    EXPECT_EQ(broughtBack, 1);
    EXPECT_EQ(counter.value(), 0);
}

} // namespace
