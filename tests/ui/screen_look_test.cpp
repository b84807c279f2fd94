// The windows on the player's screen: readable under light, dark and high-contrast schemes, opened
// with their title bar on small screens, whole at high scale, long numbers readable whole.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "platform/widgets/qt_dialogs.h"
#include "platform/fake_registry.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "support/contrast.h"
#include "ui/about_window.h"
#include "ui/hall_of_fame_window.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"
#include "ui/window_look.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace {

using support::contrast;

// A control's words, and how to put others in their place.
std::pair<QString, std::function<void(const QString&)>> wordsOf(QWidget* w)
{
    if (auto* b = qobject_cast<ui::PictureButton*>(w)) {
        return {b->caption(), [b](const QString& t) { b->setCaption(t); }};
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        return {l->text(), [l](const QString& t) { l->setText(t); }};
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        return {b->text(), [b](const QString& t) { b->setText(t); }};
    }
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        return {g->title(), [g](const QString& t) { g->setTitle(t); }};
    }
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        return {e->text(), [e](const QString& t) { e->setText(t); }};
    }
    return {};
}

// The contrast the player sees between a control's letters and the face behind them. The window
// is drawn with the words and with blanks in their place: where the two differ lie the letters,
// the face is what the blanks leave there most often, the ink the letters' strongest pixel.
// Letters in the face's own colour leave no trace and give 1.
double textContrast(QWidget* window, QWidget* control)
{
    const auto [text, set] = wordsOf(control);
    const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
    const QImage with = window->grab(area).toImage();
    QString blanks = text;
    std::replace_if(
        blanks.begin(), blanks.end(), [](QChar c) { return c != QLatin1Char('\n'); },
        QLatin1Char(' '));
    set(blanks);
    const QImage without = window->grab(area).toImage();
    set(text);

    std::map<QRgb, int> behind;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ++behind[without.pixel(x, y)];
            }
        }
    }
    if (behind.empty()) {
        return 1.0;
    }
    const QColor face =
        QColor::fromRgb(std::max_element(behind.begin(), behind.end(), [](auto& a, auto& b) {
                            return a.second < b.second;
                        })->first);
    double strongest = 1.0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                strongest = std::max(strongest, contrast(with.pixelColor(x, y), face));
            }
        }
    }
    return strongest;
}

// Every visible control of the window that shows words; screenshots of the window go to the
// folder TOLV_SCREENSHOTS names, if any.
void expectReadable(QWidget* window, const QString& scheme)
{
    if (const QString folder = qEnvironmentVariable("TOLV_SCREENSHOTS"); !folder.isEmpty()) {
        window->grab().save(
            QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(scheme, window->objectName())));
    }
    int checked = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString text = wordsOf(control).first;
        if (control->isVisibleTo(window) && !text.trimmed().isEmpty()) {
            ++checked;
            EXPECT_GE(textContrast(window, control), 4.5)
                << scheme.toStdString() << ' ' << window->objectName().toStdString() << '/'
                << control->objectName().toStdString() << " \"" << text.toStdString() << '"';
        }
    }
    EXPECT_GT(checked, 0) << window->objectName().toStdString();
}

// How many pixels of a mark stand out (3 : 1) from what lies behind it: the window drawn with
// the element and without it, its own words blanked and what it holds hidden. `part` is the
// element's rectangle, or the part of it that is the mark.
int standingOut(QWidget* window, QWidget* element, const QRect& part)
{
    const auto [text, set] = wordsOf(element);
    if (set) {
        set(QString());
    }
    QList<QWidget*> held;
    for (QWidget* child : element->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible()) {
            held << child;
            child->hide();
        }
    }
    const QRect area(element->mapTo(window, part.topLeft()), part.size());
    const QImage with = window->grab(area).toImage();
    element->hide();
    const QImage without = window->grab(area).toImage();
    element->show();
    for (QWidget* child : held) {
        child->show();
    }
    if (set) {
        set(text);
    }
    int count = 0;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            count += contrast(with.pixelColor(x, y), without.pixelColor(x, y)) >= 3.0 ? 1 : 0;
        }
    }
    return count;
}

// Every option button's circle, entry's edge, frame, line and shape stands out from what lies
// behind it: for a line or shape at least its length, for a frame at least its shorter side
// (neighbouring cells share their top and bottom lines), for a circle twice its width. The
// etched separator of the about box counts by its grey stroke, whose white partner is its
// highlight.
void expectMarksStandOut(QWidget* window, const QString& scheme)
{
    int checked = 0;
    for (QWidget* element : window->findChildren<QWidget*>()) {
        if (!element->isVisibleTo(window)) {
            continue;
        }
        QRect part = element->rect();
        const bool line = qobject_cast<ui::LineShape*>(element) != nullptr ||
                          qobject_cast<ui::RectangleShape*>(element) != nullptr ||
                          element->objectName() == QStringLiteral("Line1(1)");
        int length =
            line ? std::max(part.width(), part.height()) : std::min(part.width(), part.height());
        if (auto* option = qobject_cast<QRadioButton*>(element)) {
            QStyleOptionButton look;
            look.initFrom(option);
            part = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &look, option);
            length = 2 * part.width();
        } else {
            const auto* frame = qobject_cast<QFrame*>(element);
            const bool marked = line || qobject_cast<QLineEdit*>(element) != nullptr ||
                                qobject_cast<QGroupBox*>(element) != nullptr ||
                                (frame != nullptr && frame->frameShape() != QFrame::NoFrame);
            if (!marked) {
                continue;
            }
        }
        ++checked;
        EXPECT_GE(standingOut(window, element, part), length)
            << scheme.toStdString() << ' ' << window->objectName().toStdString() << '/'
            << element->objectName().toStdString();
    }
    EXPECT_GT(checked, 0) << window->objectName().toStdString();
}

void putGame(fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
}

// The probe program opens every window under a screen or scale of its own, in Italian or in
// English, and reports them.
QJsonObject runProbe(const QString& platform, const QString& scale = QStringLiteral("1"),
                     bool english = false)
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(TOLV_UI_PROBE),
                english ? QStringList{QStringLiteral("--english")} : QStringList{});
    EXPECT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(probe.readAllStandardOutput()).object();
}

QRect rectOf(const QJsonValue& value)
{
    const QJsonArray n = value.toArray();
    return QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
}

// An offscreen screen of the given size, from a screen file as the offscreen platform reads it.
QString screenOf(const QTemporaryDir& folder, QSize size)
{
    QFile file(folder.filePath(QStringLiteral("screen-%1.json").arg(size.width())));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"player\", \"x\": 0, \"y\": 0, "
                              "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}")
                   .arg(size.width())
                   .arg(size.height())
                   .toUtf8());
    return QStringLiteral("offscreen:configfile=") + file.fileName();
}

// Along each axis: inside the free area where it fits, else starting at the area's edge.
void expectOpensOnScreen(const QRect& frame, const QRect& available, const QString& what)
{
    SCOPED_TRACE(what.toStdString());
    if (frame.width() <= available.width()) {
        EXPECT_TRUE(frame.left() >= available.left() && frame.right() <= available.right());
    } else {
        EXPECT_EQ(frame.left(), available.left());
    }
    if (frame.height() <= available.height()) {
        EXPECT_TRUE(frame.top() >= available.top() && frame.bottom() <= available.bottom());
    } else {
        EXPECT_EQ(frame.top(), available.top());
    }
}

} // namespace

TEST(Twips, EveryWindowRoundsToTheNearestPixel)
{
    EXPECT_EQ(ui::twips(5654), 377);
    EXPECT_EQ(ui::twips(5647), 376);
    EXPECT_EQ(ui::twips(-8), -1);
    EXPECT_EQ(ui::twipRect(90, 2445, 5654, 15), QRect(6, 163, 377, 1));
}

TEST(Schemes, EveryTextStandsOutFromItsFaceUnderEachScheme)
{
    // The usual dark grey of dark desktop schemes, and black as the high-contrast ones have it;
    // each palette derives its other roles from its face.
    const std::vector<std::pair<QString, QPalette>> schemes{
        {QStringLiteral("light"), QApplication::style()->standardPalette()},
        {QStringLiteral("dark"), QPalette(QColor(0x35, 0x35, 0x35))},
        {QStringLiteral("high-contrast"), QPalette(Qt::black)}};
    const QPalette system = QApplication::palette();
    for (const auto& [scheme, palette] : schemes) {
        QApplication::setPalette(palette);
        game::GameState state = game::startingState();
        for (auto& company : state.companies) {
            company = {"12", "605", "+1,5", "614,07"};
        }
        fakes::MemoryStore store;
        putGame(store, state);
        store.put("data6", "\"I migliori\rAnna:  01 Gen 2002\"\r\n");
        fakes::FakeDialogs dialogs;
        fakes::FakeRandom random;
        session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
        session::Session session(store, dialogs, random, saver);
        fakes::FakeRegistry registry;
        fakes::FakeRunner runner;
        ui::SplashCounter counter;
        {
            ui::Form1 form(session);
            ui::Form2 hall(session);
            ui::frmAbout about(dialogs, registry, runner);
            ui::frmSplash splash(counter, {});
            for (QWidget* window : std::initializer_list<QWidget*>{&form, &hall, &about, &splash}) {
                window->show();
                expectReadable(window, scheme);
                expectMarksStandOut(window, scheme);
            }
            // The cash box lies on the window's own face, or on the white of the design's lines
            // where that face is too dark for its black ink.
            auto* shape = form.findChild<QWidget*>(QStringLiteral("Shape1"));
            const QColor inside = form.grab(QRect(shape->mapTo(&form, QPoint(4, 4)), QSize(1, 1)))
                                      .toImage()
                                      .pixelColor(0, 0);
            EXPECT_TRUE(inside == palette.color(QPalette::Window) || inside == Qt::white)
                << scheme.toStdString() << ' ' << inside.name().toStdString();
        }
        // The real boxes, read while they are open.
        platform::QtDialogs boxes;
        for (const auto& open : std::vector<std::function<void()>>{
                 [&] {
                     boxes.message(QStringLiteral("Solo numeri interi!"), QStringLiteral("Errore"));
                 },
                 [&] {
                     boxes.input(QStringLiteral("Come ti chiami?"), QStringLiteral("Tolv Street"));
                 }}) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                seen = true;
                box->setObjectName(QString::fromLatin1(box->metaObject()->className()));
                expectReadable(box, scheme);
                if (box->findChild<QLineEdit*>() != nullptr) {
                    expectMarksStandOut(box, scheme);
                }
                box->reject();
            });
            open();
            EXPECT_TRUE(seen);
        }
    }
    QApplication::setPalette(system);
}

TEST(OpeningPlace, TitleBarAndAsMuchAsFitsStayInsideTheFreeArea)
{
    const QMargins frame(4, 24, 4, 4);
    const QPoint corner(156, 129);
    for (const QSize screenSize : {QSize(800, 600), QSize(1024, 600), QSize(1280, 720)}) {
        const QRect screen(QPoint(0, 0), screenSize);
        // A task bar along the bottom; or a panel along the top and a dock on the left.
        for (const QRect& available :
             {screen.adjusted(0, 0, 0, -40), screen.adjusted(60, 140, 0, 0)}) {
            for (const QSize client : {QSize(627, 625), QSize(382, 237), QSize(1300, 500)}) {
                const QString what = QStringLiteral("%1x%2 on %3x%4")
                                         .arg(client.width())
                                         .arg(client.height())
                                         .arg(screenSize.width())
                                         .arg(available.height());
                const QRect centred = ui::openingFrame(client, frame, screen, available);
                EXPECT_EQ(centred.size(), client.grownBy(frame));
                expectOpensOnScreen(centred, available, what);
                if (available.contains(centred)) {
                    EXPECT_LE((centred.center() - available.center()).manhattanLength(), 1);
                }
                // Placed by its client area's corner: there where it then lies whole on the free
                // area, moved in where it would not.
                const QRect fixed = ui::openingFrame(client, frame, screen, available, corner);
                expectOpensOnScreen(fixed, available, what);
                const QRect asAsked(corner - QPoint(4, 24), client.grownBy(frame));
                EXPECT_EQ(fixed == asAsked, available.contains(asAsked)) << what.toStdString();
            }
        }
    }
}

TEST(SmallScreens, EveryWindowIsAsDesignedWhereItFitsAndScrollsWhereItDoesNot)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // On a roomy screen every window is the window as designed, every text whole.
    const QJsonObject roomy = runProbe(screenOf(folder, QSize(1280, 1024)));
    const QJsonObject designs = roomy[QStringLiteral("windows")].toObject();
    const QJsonObject whole = roomy[QStringLiteral("whole")].toObject();
    ASSERT_EQ(designs.size(), 4);
    EXPECT_GT(whole.size(), 60);

    struct Screen {
        QSize size;
        double scale;
        bool english;
    };
    for (const Screen& screen : {Screen{{1024, 600}, 1, false}, Screen{{800, 600}, 1, false},
                                 Screen{{800, 600}, 1, true}, Screen{{1280, 800}, 1.5, false},
                                 Screen{{1280, 800}, 1.5, true}, Screen{{1280, 800}, 2, false}}) {
        const QString what = QStringLiteral("%1x%2 at %3%4")
                                 .arg(screen.size.width())
                                 .arg(screen.size.height())
                                 .arg(screen.scale)
                                 .arg(screen.english ? QStringLiteral(" in English") : QString());
        SCOPED_TRACE(what.toStdString());
        const QJsonObject probe =
            runProbe(screenOf(folder, screen.size), QString::number(screen.scale), screen.english);
        const QRect available = rectOf(probe[QStringLiteral("available")]);
        EXPECT_NEAR(available.width(), screen.size.width() / screen.scale, 1);
        const QJsonObject windows = probe[QStringLiteral("windows")].toObject();
        ASSERT_EQ(windows.keys(), designs.keys());
        for (const QString& name : windows.keys()) {
            SCOPED_TRACE(name.toStdString());
            const QJsonObject window = windows[name].toObject();
            const QRect frame = rectOf(window[QStringLiteral("frame")]);
            const QSize design = rectOf(designs[name][QStringLiteral("frame")]).size();
            EXPECT_TRUE(available.contains(frame));
            // As designed where it fits; cut to the screen and scrolling where it does not.
            const bool fits =
                design.width() <= available.width() && design.height() <= available.height();
            EXPECT_EQ(window[QStringLiteral("scrolls")].toBool(), !fits);
            if (fits) {
                EXPECT_EQ(rectOf(window[QStringLiteral("client")]).size(),
                          rectOf(designs[name][QStringLiteral("client")]).size());
            }
            EXPECT_EQ(window[QStringLiteral("outOfReach")].toArray(), QJsonArray());
            EXPECT_EQ(window[QStringLiteral("keysOutOfView")].toArray(), QJsonArray());
            // Drawn with the scale: as many device pixels as the scale asks.
            const QSize client = rectOf(window[QStringLiteral("client")]).size();
            const QJsonArray device = window[QStringLiteral("device")].toArray();
            EXPECT_NEAR(device[0].toInt(), client.width() * screen.scale, 1.0);
            EXPECT_NEAR(device[1].toInt(), client.height() * screen.scale, 1.0);
        }
        // Every text the design shows whole stays whole, larger or in English.
        for (const QString& text : whole.keys()) {
            if (whole[text].toBool()) {
                EXPECT_TRUE(probe[QStringLiteral("whole")][text].toBool()) << text.toStdString();
            }
        }
    }
}

TEST(LongNumbers, EveryCellTheCashAndTheDateCanBeReadWhole)
{
    game::GameState state = game::startingState();
    state.companies[0].price = "999999999999999";
    state.companies[1].yesterday = "332,123456789";
    state.companies[2].price = "1,79769313486231E+308";
    state.cash = "1,79769313486231E+308";
    state.date = "31 Dic 2002";
    fakes::MemoryStore store;
    putGame(store, state);
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    ui::Form1 form(session);
    form.show();

    const auto tip = [](const QWidget* w) {
        return QTextDocumentFragment::fromHtml(w->toolTip()).toPlainText();
    };
    const auto& companies = game::companyTable();
    const auto whole = [](const std::string& text) { return QString::fromLatin1(text); };
    const std::vector<std::tuple<const char*, QString, QString, QString>> cells{
        {"Label4(0)", whole(state.companies[0].price), QString::fromUtf8(companies[0].name),
         QStringLiteral("Valore Oggi")},
        {"Label2(1)", whole(state.companies[1].yesterday), QString::fromUtf8(companies[1].name),
         QStringLiteral("Valore Ieri")},
        {"Label4(2)", whole(state.companies[2].price), QString::fromUtf8(companies[2].name),
         QStringLiteral("Valore Oggi")},
        {"Label5", whole(state.cash), QStringLiteral("Disponibilità liquida"), QString()}};
    for (const auto& [name, text, company, column] : cells) {
        SCOPED_TRACE(name);
        auto* cell = form.findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(cell, nullptr);
        // Cut by its cell on one line, as the cells are drawn, and whole in its tooltip and in
        // what a screen reader hears, with its company and column.
        const QFontMetrics metrics(cell->font());
        const int flags = int(cell->alignment()) | (cell->wordWrap() ? int(Qt::TextWordWrap) : 0);
        EXPECT_GT(metrics.horizontalAdvance(text), cell->contentsRect().width());
        EXPECT_EQ(metrics.boundingRect(cell->contentsRect(), flags, text).height(),
                  metrics.boundingRect(cell->contentsRect(), flags, QStringLiteral("0")).height());
        EXPECT_EQ(tip(cell), text);
        for (const QString& part : {text, company, column}) {
            EXPECT_TRUE(cell->accessibleName().contains(part)) << part.toStdString();
        }
    }
    auto* date = form.findChild<ui::PictureButton*>(QStringLiteral("Command4"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(tip(date), QStringLiteral("31 Dic 2002"));
    EXPECT_EQ(date->accessibleName(), QStringLiteral("31 Dic 2002"));
}
