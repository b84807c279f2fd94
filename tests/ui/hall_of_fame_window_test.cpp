// The Hall of Fame window and the game's pictures.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "session/saver.h"
#include "ui/artwork.h"
#include "ui/hall_of_fame_window.h"

#include <QAccessible>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

struct HallOfFameWindowTest : ::testing::Test {
    fakes::MemoryStore store;
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session{store, dialogs, random, saver};

    QLabel* label(ui::Form2& window, const char* name)
    {
        auto* found = window.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(HallOfFameWindowTest, WindowLabelsAndFonts)
{
    store.put("data6", "\"\"\r\n");
    ui::Form2 window(session);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Top 10 of Tolv Street"));
    EXPECT_EQ(window.size(), QSize(312, 213));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // A tool window: out of the task bar; a title and a close box only.
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.testAttribute(Qt::WA_DeleteOnClose));
    // It keeps the program running while it is open, even with the main window closed.
    EXPECT_TRUE(window.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_FALSE(window.windowIcon().isNull());

    QLabel* heading = label(window, "Label1");
    QLabel* list = label(window, "Label2");
    ASSERT_TRUE(heading && list);
    EXPECT_EQ(heading->text(), QStringLiteral("Hall of Fame:"));
    EXPECT_EQ(heading->geometry(), QRect(16, 8, 257, 25));
    EXPECT_EQ(heading->font().family(), QStringLiteral("Copperplate Gothic Bold"));
    EXPECT_DOUBLE_EQ(heading->font().pointSizeF(), 14.25);
    EXPECT_EQ(heading->font().weight(), QFont::Bold);
    EXPECT_TRUE(heading->alignment().testFlag(Qt::AlignHCenter));

    EXPECT_EQ(list->geometry(), QRect(8, 40, 297, 161));
    EXPECT_EQ(list->frameShape(), QFrame::Box);
    EXPECT_EQ(list->lineWidth(), 1);
    EXPECT_EQ(list->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_DOUBLE_EQ(list->font().pointSizeF(), 11.25);
    EXPECT_EQ(list->font().weight(), QFont::Bold);
    EXPECT_TRUE(list->alignment().testFlag(Qt::AlignHCenter));
    EXPECT_EQ(list->textFormat(), Qt::PlainText);
    EXPECT_EQ(list->text(), QStringLiteral("\"\"\n"));
    // A list that fits has no scroll bar.
    EXPECT_TRUE(window.findChild<QScrollBar*>()->isHidden());
}

TEST_F(HallOfFameWindowTest, ShowsTheFileWithItsQuotesOneRecordALine)
{
    struct Case {
        std::string file;
        QString shown;
    };
    const std::vector<Case> cases{
        {"\"Campioni\rAnna:  01 Gen 2002\rBruno:  05 Feb 2003\"\r\n",
         QStringLiteral("\"Campioni\nAnna:  01 Gen 2002\nBruno:  05 Feb 2003\"\n")},
        // A name with a quote or markup is shown as typed; an empty name still has its line.
        {"\"\r<b>Zoe\"</b>:  02 Gen 2002\r:  03 Gen 2002\"\r\n",
         QStringLiteral("\"\n<b>Zoe\"</b>:  02 Gen 2002\n:  03 Gen 2002\"\n")},
        // The single-byte code page: "Carlettò".
        {"\"\rCarlett\xF2:  01 Gen 2002\"\r\n", QStringLiteral("\"\nCarlettò:  01 Gen 2002\"\n")},
    };
    for (const Case& c : cases) {
        store.put("data6", c.file);
        ui::Form2 window(session);
        EXPECT_EQ(label(window, "Label2")->text(), c.shown);
    }
    // Without the file the window shows the empty list rather than failing.
    store.remove("data6");
    ui::Form2 window(session);
    EXPECT_EQ(label(window, "Label2")->text(), QStringLiteral("\"\"\n"));
}

// The widest line of writing in the lower half of the list, in pixels.
int widestLowerLine(ui::WinnersList* list)
{
    const QImage shot = list->grab().toImage();
    int widest = 0;
    for (int y = shot.height() / 2; y < shot.height() - 1; ++y) {
        int first = -1;
        int last = -1;
        for (int x = 1; x < list->scrollBar()->x(); ++x) {
            if (qGray(shot.pixel(x, y)) < 128) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        widest = std::max(widest, last - first);
    }
    return widest;
}

TEST_F(HallOfFameWindowTest, AScreenReaderHearsEveryWinner)
{
    store.put("data6", "\"Vincitori\rAnna:  01 Gen 2002\rBruno:  05 Feb 2003\"\r\n");
    ui::Form2 window(session);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(label(window, "Label2"));
    ASSERT_NE(list, nullptr);
    const QString heard = list->text(QAccessible::Name);
    EXPECT_TRUE(heard.contains(QStringLiteral("Anna:  01 Gen 2002"))) << heard.toStdString();
    EXPECT_TRUE(heard.contains(QStringLiteral("Bruno:  05 Feb 2003"))) << heard.toStdString();
}

TEST_F(HallOfFameWindowTest, ALongListScrollsToItsLastWinner)
{
    // Fifteen winners, the last with a long name.
    std::string file = "\"Vincitori";
    for (int day = 11; day <= 24; ++day) {
        file += "\rAl:  " + std::to_string(day) + " Gen 2002";
    }
    store.put("data6", file + "\rBartolomeo Bianchi:  25 Gen 2002\"\r\n");
    QPointer<ui::Form2> window = new ui::Form2(session);
    window->show();
    auto* list = window->findChild<ui::WinnersList*>(QStringLiteral("Label2"));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->scrollBar()->isVisible());
    EXPECT_TRUE(list->rect().contains(list->scrollBar()->geometry()));
    const int shortLines = widestLowerLine(list);

    QTest::keyClick(window.data(), Qt::Key_End);
    EXPECT_GT(widestLowerLine(list), shortLines + 50);
    QTest::keyClick(window.data(), Qt::Key_Home);
    EXPECT_EQ(widestLowerLine(list), shortLines);
    QWheelEvent down(QPointF(50, 50), list->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &down);
    EXPECT_GT(list->scrollBar()->value(), 0);

    // Esc closes the window as its close box does.
    QTest::keyClick(window.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(HallOfFameLinesTest, EveryCarriageReturnBreaksTheLine)
{
    EXPECT_EQ(ui::hallOfFameLines(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(ui::hallOfFameLines(QStringLiteral("\r\r\n")), QStringLiteral("\n\n"));
}

TEST(ArtworkTest, PicturesRenderAtTheirSizesInTheirColours)
{
    struct Picture {
        const char* resource;
        QSize size;
        QPoint probe;   // a pixel of the picture's main colour
        QColor colour;
    };
    const std::vector<Picture> pictures{
        {ui::art::kBuy, {88, 47}, {2, 2}, QColor(0x00, 0x00, 0x80)},      // dark blue ground
        {ui::art::kSell, {97, 47}, {2, 2}, QColor(0xFF, 0x80, 0x00)},     // orange ground
        {ui::art::kInfo, {48, 47}, {2, 2}, QColor(0x00, 0x00, 0xC0)},     // blue ground
        {ui::art::kInfo, {48, 47}, {24, 30}, QColor(0xFF, 0xFF, 0x00)},   // the yellow "i"
        {ui::art::kAppIcon, {32, 32}, {15, 8}, QColor(0x00, 0x80, 0x00)}, // the green grid
    };
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.resource);
        QSvgRenderer renderer{QString::fromLatin1(picture.resource)};
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.defaultSize(), picture.size);
        QImage image(picture.size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        EXPECT_EQ(image.pixelColor(picture.probe), picture.colour);
    }
    // Through the icon engine, crisp at a large size too (the SVG plugin is there).
    const QIcon icon = ui::appIcon();
    for (const int side : {16, 32, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(side, side));
        ASSERT_FALSE(pixmap.isNull()) << side;
        EXPECT_EQ(pixmap.size(), QSize(side, side));
    }
}

} // namespace
