// The windows on the player's screen: readable under light, dark and high-contrast schemes, opened
// with their title bar on small screens, sharp and whole at high scale, long numbers readable.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "platform/dialogs.h"
#include "platform/fake_registry.h"
#include "records/autosave.h"
#include "ui/about_window.h"
#include "ui/hall_of_fame_window.h"
#include "ui/main_window.h"
#include "ui/splash_window.h"
#include "ui/window_look.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QRadioButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <optional>

namespace {

// ---- Contrast as WCAG measures it ----

double luminance(const QColor& colour)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A control's words, and how to put others in their place.
struct Words {
    QString text;
    std::function<void(const QString&)> set;
};

std::optional<Words> wordsOf(QWidget* widget)
{
    if (auto* button = qobject_cast<ui::PictureButton*>(widget)) {
        return Words{button->caption(), [button](const QString& t) { button->setCaption(t); }};
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return Words{label->text(), [label](const QString& t) { label->setText(t); }};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return Words{button->text(), [button](const QString& t) { button->setText(t); }};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        return Words{frame->title(), [frame](const QString& t) { frame->setTitle(t); }};
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return Words{edit->text(), [edit](const QString& t) { edit->setText(t); }};
    }
    return std::nullopt;
}

// The contrast the player sees between a control's letters and the face behind them: the window
// is drawn with the words and with blanks in their place, and where the two differ lie the
// letters. The face is what the blanks leave there most often; the ink the letters' strongest
// pixel. Letters drawn in the face's own colour leave no trace and give 1.
double textContrast(QWidget* window, QWidget* control, const Words& words)
{
    const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
    const QImage with = window->grab(area).toImage();
    QString blanks = words.text;
    for (QChar& c : blanks) {
        if (c != QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        }
    }
    words.set(blanks);
    const QImage without = window->grab(area).toImage();
    words.set(words.text);

    std::map<QRgb, int> behind;
    std::vector<QPoint> letters;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) != without.pixel(x, y)) {
                ++behind[without.pixel(x, y)];
                letters.emplace_back(x, y);
            }
        }
    }
    if (letters.empty()) {
        return 1.0;
    }
    const auto face = std::max_element(behind.begin(), behind.end(), [](auto& a, auto& b) {
                          return a.second < b.second;
                      })->first;
    double strongest = 1.0;
    for (const QPoint& p : letters) {
        strongest = std::max(strongest, contrast(with.pixelColor(p), QColor::fromRgb(face)));
    }
    return strongest;
}

// Every visible control of the window that shows words, with the contrast of each; screenshots
// go to TOLV_SCREENSHOTS when it names a folder.
void expectReadable(QWidget* window, const QString& scheme)
{
    if (const QByteArray folder = qgetenv("TOLV_SCREENSHOTS"); !folder.isEmpty()) {
        window->grab().save(QDir(QString::fromLocal8Bit(folder))
                                .filePath(QStringLiteral("%1-%2.png")
                                              .arg(scheme, window->objectName().isEmpty()
                                                               ? window->metaObject()->className()
                                                               : window->objectName())));
    }
    int checked = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const std::optional<Words> words = wordsOf(control);
        if (!control->isVisibleTo(window) || !words || words->text.trimmed().isEmpty()) {
            continue;
        }
        ++checked;
        EXPECT_GE(textContrast(window, control, *words), 4.5)
            << scheme.toStdString() << ": " << window->objectName().toStdString() << '/'
            << control->objectName().toStdString() << " \"" << words->text.toStdString() << '"';
    }
    EXPECT_GT(checked, 0) << window->objectName().toStdString();
}

struct Scheme {
    QString name;
    QPalette palette;
};

std::vector<Scheme> schemes()
{
    // Dark grey as the usual dark desktop schemes have it, and black with white letters as the
    // high-contrast ones; each palette derives its other roles from its face.
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    QPalette highContrast(Qt::black);
    highContrast.setColor(QPalette::Highlight, QColor(0x1A, 0xEB, 0xFF));
    highContrast.setColor(QPalette::HighlightedText, Qt::black);
    return {{QStringLiteral("light"), QApplication::style()->standardPalette()},
            {QStringLiteral("dark"), dark},
            {QStringLiteral("high-contrast"), highContrast}};
}

// Puts the system's palette back whatever the test did.
struct PaletteGuard {
    QPalette saved = QApplication::palette();
    ~PaletteGuard() { QApplication::setPalette(saved); }
};

game::GameState gameInPlay()
{
    game::GameState state = game::startingState();
    for (auto& company : state.companies) {
        company.yesterday = company.price;
        company.change = "+1,5";
    }
    state.companies[7] = {"0", "0", "-4,2", " Fallita"};
    return state;
}

void putGame(fakes::MemoryStore& store, const game::GameState& state)
{
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
}

// ---- The probe: every window on another screen size or scale, in a program of its own ----

struct ProbedWindow {
    QRect frame;
    QRect client;
    QSize device;
};

struct Probe {
    QRect available;
    QMap<QString, ProbedWindow> windows;
    QMap<QString, bool> whole; // "window/control" -> shows its text whole
};

QRect rectFrom(const QStringList& words, int at)
{
    return QRect(words[at].toInt(), words[at + 1].toInt(), words[at + 2].toInt(),
                 words[at + 3].toInt());
}

Probe runProbe(const QString& platform, const QString& scale = QStringLiteral("1"))
{
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(TOLV_UI_PROBE), {});
    EXPECT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();

    Probe out;
    const QString report = QString::fromUtf8(probe.readAllStandardOutput());
    for (const QString& line : report.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList words = line.split(QLatin1Char(' '));
        if (words[0] == QStringLiteral("available")) {
            out.available = rectFrom(words, 1);
        } else if (words[0] == QStringLiteral("window")) {
            out.windows[words[1]] = {rectFrom(words, 3), rectFrom(words, 8),
                                     QSize(words[13].toInt(), words[14].toInt())};
        } else if (words[0] == QStringLiteral("text")) {
            out.whole[words[1]] = words[2] == QStringLiteral("whole");
        }
    }
    return out;
}

// An offscreen screen of the given size, as the offscreen platform reads it from a file.
QString screenOf(const QTemporaryDir& folder, QSize size)
{
    const QString path =
        folder.filePath(QStringLiteral("screen-%1x%2.json").arg(size.width()).arg(size.height()));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("{\"screens\": [{\"name\": \"player\", \"x\": 0, \"y\": 0, "
                              "\"width\": %1, \"height\": %2, \"logicalDpi\": 96, "
                              "\"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                   .arg(size.width())
                   .arg(size.height())
                   .toUtf8());
    return QStringLiteral("offscreen:configfile=%1").arg(path);
}

// Along each axis: inside the area where it fits, else starting at the area's edge.
void expectOpensOnScreen(const QRect& frame, const QRect& available, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_TRUE(available.contains(frame.topLeft()));
    if (frame.width() <= available.width()) {
        EXPECT_GE(frame.left(), available.left());
        EXPECT_LE(frame.right(), available.right());
    } else {
        EXPECT_EQ(frame.left(), available.left());
    }
    if (frame.height() <= available.height()) {
        EXPECT_GE(frame.top(), available.top());
        EXPECT_LE(frame.bottom(), available.bottom());
    } else {
        EXPECT_EQ(frame.top(), available.top());
    }
}

} // namespace

TEST(Twips, EveryWindowRoundsToTheNearestPixel)
{
    EXPECT_EQ(ui::twips(5654), 377);
    EXPECT_EQ(ui::twips(5647), 376);
    EXPECT_EQ(ui::twips(7), 0);
    EXPECT_EQ(ui::twips(8), 1);
    EXPECT_EQ(ui::twips(-8), -1);
    EXPECT_EQ(ui::twipRect(90, 2445, 5654, 15), QRect(6, 163, 377, 1));
}

TEST(Schemes, EveryTextStandsOutFromItsFaceUnderEachScheme)
{
    const PaletteGuard guard;
    for (const Scheme& scheme : schemes()) {
        SCOPED_TRACE(scheme.name.toStdString());
        QApplication::setPalette(scheme.palette);
        fakes::MemoryStore store;
        putGame(store, gameInPlay());
        store.put("data6", "\"I migliori\rAnna:  01 Gen 2002\"\r\n");
        fakes::FakeDialogs dialogs;
        fakes::FakeRandom random;
        ui::Session session(store, dialogs, random);
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
                expectReadable(window, scheme.name);
            }
        }

        // The real boxes, read while they are open.
        platform::QtDialogs boxes;
        for (const auto& open : std::vector<std::function<void()>>{
                 [&] {
                     boxes.message(QStringLiteral("Non hai abbastanza soldi!"),
                                   QStringLiteral("Errore"));
                 },
                 [&] {
                     boxes.input(QStringLiteral("Hai vinto! Come ti chiami?"),
                                 QStringLiteral("Tolv Street"));
                 }}) {
            bool seen = false;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                seen = true;
                box->setObjectName(QString::fromLatin1(box->metaObject()->className()));
                expectReadable(box, scheme.name);
                box->reject();
            });
            open();
            EXPECT_TRUE(seen);
        }
    }
}

TEST(Schemes, TheGamesOwnColoursHoldUnderADarkScheme)
{
    const PaletteGuard guard;
    QApplication::setPalette(schemes()[1].palette);
    fakes::MemoryStore store;
    putGame(store, gameInPlay());
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    ui::Session session(store, dialogs, random);
    ui::Form1 form(session);
    form.show();

    // The cash box keeps the light face inside its frame; the window itself follows the scheme.
    const QImage shot = form.centralWidget()->grab().toImage();
    auto* shape = form.findChild<QWidget*>(QStringLiteral("Shape1"));
    ASSERT_NE(shape, nullptr);
    const QPoint inside = shape->geometry().topLeft() + QPoint(6, 6);
    EXPECT_EQ(shot.pixelColor(inside), ui::kDesignFace);
    EXPECT_EQ(shot.pixelColor(2, shot.height() - 2), QColor(0x35, 0x35, 0x35));

    // Everything else follows the scheme: the portfolio's cells are light on dark.
    auto* cell = form.findChild<QLabel*>(QStringLiteral("Label4(0)"));
    ASSERT_NE(cell, nullptr);
    EXPECT_GT(luminance(cell->palette().color(QPalette::WindowText)), 0.5);
}

TEST(OpeningPlace, TitleBarAndAsMuchAsFitsStayInsideTheFreeArea)
{
    const QMargins frame(4, 24, 4, 4);
    const std::vector<QSize> windows{{627, 625}, {382, 237}, {1300, 500}};
    for (const QSize screenSize : {QSize(800, 600), QSize(1024, 600), QSize(1280, 720)}) {
        const QRect screen(QPoint(0, 0), screenSize);
        // A task bar along the bottom, and one along the top with a dock on the left.
        for (const QRect& available :
             {screen.adjusted(0, 0, 0, -40), screen.adjusted(60, 30, 0, 0)}) {
            for (const QSize client : windows) {
                const std::string what = QStringLiteral("%1x%2 in %3x%4+%5+%6")
                                             .arg(client.width())
                                             .arg(client.height())
                                             .arg(available.width())
                                             .arg(available.height())
                                             .arg(available.x())
                                             .arg(available.y())
                                             .toStdString();
                const QRect centred = ui::openingFrame(client, frame, screen, available);
                EXPECT_EQ(centred.size(), client.grownBy(frame)) << what;
                expectOpensOnScreen(centred, available, what);
                if (available.contains(centred)) {
                    EXPECT_LE((centred.center() - available.center()).manhattanLength(), 1) << what;
                }
                // A window placed by its client corner stays there when that leaves it whole on
                // the free area, and moves in when it would not.
                const QPoint corner(156, 129);
                const QRect fixed = ui::openingFrame(client, frame, screen, available, corner);
                expectOpensOnScreen(fixed, available, what);
                const QRect asAsked(corner - QPoint(frame.left(), frame.top()),
                                    client.grownBy(frame));
                EXPECT_EQ(fixed == asAsked, available.contains(asAsked)) << what;
            }
        }
    }
}

TEST(OpeningPlace, EveryWindowOpensWithItsTitleBarOnSmallScreens)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // At 1280 x 720 every window fits; on the smaller screens the main window does not.
    std::map<int, Probe> probes;
    for (const QSize size : {QSize(1280, 720), QSize(1024, 600), QSize(800, 600)}) {
        probes[size.width()] = runProbe(screenOf(folder, size));
        const Probe& probe = probes[size.width()];
        const Probe& roomy = probes[1280];
        EXPECT_EQ(probe.available, QRect(QPoint(0, 0), size));
        ASSERT_EQ(probe.windows.keys(), roomy.windows.keys());
        for (auto w = probe.windows.cbegin(); w != probe.windows.cend(); ++w) {
            const std::string what = QStringLiteral("%1 on %2x%3")
                                         .arg(w.key())
                                         .arg(size.width())
                                         .arg(size.height())
                                         .toStdString();
            expectOpensOnScreen(w->frame, probe.available, what);
            // Every window keeps its design size, the main window too where it is taller
            // than the screen; the player moves it by its title bar.
            EXPECT_EQ(w->client.size(), roomy.windows[w.key()].client.size()) << what;
        }
    }
    EXPECT_EQ(probes[1280].windows.size(), 4);
    EXPECT_GT(probes[800].windows[QStringLiteral("Form1")].frame.height(), 600);
}

TEST(HighScale, WindowsGrowWithTheScaleAndKeepTheirTextsWhole)
{
    const Probe one = runProbe(QStringLiteral("offscreen"));
    ASSERT_EQ(one.windows.size(), 4);
    for (const QString& scale : {QStringLiteral("1.5"), QStringLiteral("2")}) {
        const Probe scaled = runProbe(QStringLiteral("offscreen"), scale);
        const double factor = scale.toDouble();
        ASSERT_EQ(scaled.windows.keys(), one.windows.keys());
        for (auto w = one.windows.cbegin(); w != one.windows.cend(); ++w) {
            SCOPED_TRACE((w.key() + QStringLiteral(" at ") + scale).toStdString());
            const ProbedWindow& big = scaled.windows[w.key()];
            EXPECT_EQ(big.client.size(), w->client.size());
            EXPECT_NEAR(big.device.width(), w->device.width() * factor, 1.0);
            EXPECT_NEAR(big.device.height(), w->device.height() * factor, 1.0);
        }
        int whole = 0;
        for (auto t = one.whole.cbegin(); t != one.whole.cend(); ++t) {
            if (t.value()) {
                ++whole;
                EXPECT_TRUE(scaled.whole.value(t.key()))
                    << t.key().toStdString() << " at " << scale.toStdString();
            }
        }
        EXPECT_GT(whole, 60);
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
    ui::Session session(store, dialogs, random);
    ui::Form1 form(session);
    form.show();

    const auto plain = [](const QWidget* widget) {
        return QTextDocumentFragment::fromHtml(widget->toolTip()).toPlainText();
    };
    struct Long {
        const char* cell;
        const char* company;
        const char* column;
        QString text;
    };
    for (const Long& l :
         {Long{"Label4(0)", "", "Valore Oggi", QStringLiteral("999999999999999")},
          Long{"Label2(1)", "", "Valore Ieri", QStringLiteral("332,123456789")},
          Long{"Label4(2)", "", "Valore Oggi", QStringLiteral("1,79769313486231E+308")},
          Long{"Label5", nullptr, "Disponibilità liquida",
               QStringLiteral("1,79769313486231E+308")}}) {
        SCOPED_TRACE(l.cell);
        auto* cell = form.findChild<QLabel*>(QString::fromLatin1(l.cell));
        ASSERT_NE(cell, nullptr);
        // Cut by its cell, on one line, and whole in the tooltip and for the screen reader.
        const QFontMetrics metrics(cell->font());
        EXPECT_GT(metrics.horizontalAdvance(l.text), cell->contentsRect().width());
        const int flags = int(cell->alignment()) | (cell->wordWrap() ? int(Qt::TextWordWrap) : 0);
        const QRect room = cell->contentsRect();
        EXPECT_EQ(metrics.boundingRect(room, flags, l.text).height(),
                  metrics.boundingRect(room, flags, QStringLiteral("0")).height());
        EXPECT_EQ(plain(cell), l.text);
        EXPECT_TRUE(cell->accessibleName().contains(l.text));
        EXPECT_TRUE(cell->accessibleName().contains(QString::fromUtf8(l.column)));
        if (l.company != nullptr) {
            const int row =
                QString::fromLatin1(l.cell).section(QLatin1Char('('), 1).chopped(1).toInt();
            EXPECT_TRUE(cell->accessibleName().contains(
                QString::fromUtf8(game::companyTable()[static_cast<std::size_t>(row)].name)));
        }
    }
    auto* date = form.findChild<ui::PictureButton*>(QStringLiteral("Command4"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(plain(date), QStringLiteral("31 Dic 2002"));
    EXPECT_EQ(date->accessibleName(), QStringLiteral("31 Dic 2002"));
}
