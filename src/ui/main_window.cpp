// The main window Form1 and the loader that brings it back.
#include "ui/main_window.h"
#include "session/app_info.h"

#include "ui/about_window.h"
#include "ui/hall_of_fame_window.h"
#include "ui/ledger_window.h"
#include "ui/window_look.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>

namespace ui {

namespace {

const QString kAppTitle = session::app::title();
QString cashHeading()
{
    return QCoreApplication::translate("Form1", "Disponibilità liquida");
}
QString operations()
{
    return QCoreApplication::translate("Form1", "Operazioni disponibili:");
}
QString portfolio()
{
    return QCoreApplication::translate("Form1", "Stock Portfolio");
}
QString buy()
{
    return QCoreApplication::translate("Form1", "Comprare");
}
QString sell()
{
    return QCoreApplication::translate("Form1", "Vendere");
}
QString sharesHeading()
{
    return QCoreApplication::translate("Form1", "Azioni Aquistate");
}
QString yesterdayHeading()
{
    return QCoreApplication::translate("Form1", "Valore Ieri");
}
QString changeHeading()
{
    return QCoreApplication::translate("Form1", "Incr.");
}
QString todayHeading()
{
    return QCoreApplication::translate("Form1", "Valore Oggi");
}

// Names for screen readers of the controls that show no words of their own.
QString infoName()
{
    return QCoreApplication::translate("Form1", "Informazioni sulla società");
}
QString quantityName()
{
    return QCoreApplication::translate("Form1", "Quantità di azioni");
}
QString cashFrameName()
{
    return QCoreApplication::translate("Form1", "Cornice della disponibilità liquida");
}
QString currencyName()
{
    return QCoreApplication::translate("Form1", "Simbolo della valuta");
}
QString dateDescription()
{
    return QCoreApplication::translate("Form1", "Data del gioco: un clic passa al giorno seguente");
}

// The menus' captions, by the menu's or item's name.
struct MenuText {
    const char* name;
    const char* caption;
};
constexpr MenuText kMenuTexts[] = {
    {"file", QT_TRANSLATE_NOOP("Form1", "&File")},
    {"nuova", QT_TRANSLATE_NOOP("Form1", "&Nuova Partita")},
    {"salva", QT_TRANSLATE_NOOP("Form1", "&Salva")},
    {"carica", QT_TRANSLATE_NOOP("Form1", "&Carica")},
    {"hall", QT_TRANSLATE_NOOP("Form1", "&Hall of Fame")},
    {"esci", QT_TRANSLATE_NOOP("Form1", "&Esci")},
    {"opzioni", QT_TRANSLATE_NOOP("Form1", "&Opzioni")},
    {"video", QT_TRANSLATE_NOOP("Form1", "&Video")},
    {"lingua", QT_TRANSLATE_NOOP("Form1", "&Lingua")},
    {"info", QT_TRANSLATE_NOOP("Form1", "&Info")},
    {"infoprogr", QT_TRANSLATE_NOOP("Form1", "Informazioni sul &Programma")},
    {"infoproduttor", QT_TRANSLATE_NOOP("Form1", "Informazioni sul Pro&duttore")},
    {"registroMenu", QT_TRANSLATE_NOOP("Form1", "&Registro")},
    {"registro", QT_TRANSLATE_NOOP("Form1", "&Registro del giocatore")},
};

QString menuCaption(const char* name)
{
    for (const MenuText& text : kMenuTexts) {
        if (qstrcmp(text.name, name) == 0) {
            return QCoreApplication::translate("Form1", text.caption);
        }
    }
    return {};
}

const QColor kTradeFace(0xC0, 0xFF, 0xC0);

constexpr int kClientWidth = 9405;
constexpr int kClientHeight = 9090;

QString indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    // Texts come from files: plain text always, never markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLabel* makeCell(QWidget* parent, const QString& name, const QRect& geometry, const QFont& font)
{
    QLabel* cell = makeLabel(parent, name, geometry);
    cell->setFrameStyle(QFrame::Box | QFrame::Plain);
    cell->setLineWidth(1);
    cell->setMargin(1);
    cell->setFont(font);
    // A number longer than its cell is cut at the cell's edge, never wrapped onto a second line.
    cell->setWordWrap(false);
    return cell;
}

// A cell's text with a name that says what it is and what it holds.
void showCell(QLabel* cell, const std::string& text)
{
    const QString shown = session::shownText(text);
    cell->setText(shown);
    cell->setAccessibleName(QStringLiteral("%1: %2").arg(cell->accessibleDescription(), shown));
    // The cell may cut the text; the tooltip shows all of it.
    cell->setToolTip(wholeTextTip(shown));
}

void bringToFront(QWidget* window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

// A window of the given kind that is loaded and not on its way out after closing.
template <typename Window> Window* loadedWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<Window*>(widget);
        if (window != nullptr && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// "Hall of Fame": the loaded window comes to the front, or a new one opens.
void showHallOfFame(session::Session& session)
{
    if (Form2* open = loadedWindow<Form2>()) {
        bringToFront(open);
        return;
    }
    bringToFront(new Form2(session));
}

// "Esci": asks, then ends the game.
void leaveGame(session::Session& session, const std::function<void()>& quit)
{
    if (session.confirmExit()) {
        quit();
    }
}

} // namespace

// ---- The quantity entry ----

QuantityEdit::QuantityEdit(QWidget* parent) : QLineEdit(parent) {}

QString QuantityEdit::filtered(const QString& typed) const
{
    QString kept;
    for (const char32_t character : typed.toUcs4()) {
        int code = static_cast<int>(character);
        if (m_keyHook) {
            m_keyHook(code);
        }
        if (code != 0) {
            kept += QString::fromUcs4(&character, 1);
        }
    }
    return kept;
}

bool QuantityEdit::pasteAccepted(const QString& text) const
{
    return !m_pasteHook || m_pasteHook(text);
}

void QuantityEdit::pasteChecked(QClipboard::Mode mode)
{
    if (isReadOnly()) {
        return;
    }
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!pasteAccepted(text)) {
        return;
    }
    if (mode == QClipboard::Clipboard) {
        paste();
    } else {
        insert(text);
    }
}

bool QuantityEdit::event(QEvent* event)
{
    // The entry would claim Ctrl+X (cut) and others for itself; the window's menu shortcuts
    // win instead, whichever control has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence& own : m_windowKeys) {
            if (own.matches(pressed) == QKeySequence::ExactMatch) {
                event->ignore();
                return false;
            }
        }
    }
    return QLineEdit::event(event);
}

void QuantityEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        pasteChecked();
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const char16_t first = text.front().unicode();
    // Delete and the C1 codes come with some keys that type nothing; a printable character with
    // Ctrl (but not AltGr, which arrives as Ctrl+Alt on Windows) is a command, not typing.
    const bool typesNothing = first == 0x7F || (first >= 0x80 && first <= 0x9F);
    const bool command = first >= 0x20 && event->modifiers().testFlag(Qt::ControlModifier) &&
                         !event->modifiers().testFlag(Qt::AltModifier);
    if (typesNothing || command) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString kept = filtered(text);
    if (kept == text) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!kept.isEmpty() && !isReadOnly()) {
        insert(kept);
    }
}

void QuantityEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Text composed by an input method is typed text too: it reaches the entry only if every
    // character passes.
    const QString commit = event->commitString();
    if (!commit.isEmpty() && filtered(commit) != commit) {
        QInputMethodEvent refused(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&refused);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void QuantityEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // The menu's paste item goes through the same check as Ctrl+V. Qt names it "edit-paste"
    // from 6.5 on; before, it is known by its (translated) caption.
    const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QStringLiteral("edit-paste") ||
            (!pasteCaption.isEmpty() && action->text().startsWith(pasteCaption))) {
            disconnect(action, &QAction::triggered, this, nullptr);
            connect(action, &QAction::triggered, this, [this] { pasteChecked(); });
        }
    }
    menu->popup(event->globalPos());
}

void QuantityEdit::dropEvent(QDropEvent* event)
{
    if (event->source() != this && event->mimeData()->hasText() &&
        !pasteAccepted(event->mimeData()->text())) {
        event->ignore();
        return;
    }
    QLineEdit::dropEvent(event);
}

void QuantityEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the selection on systems that have one.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection() &&
        !pasteAccepted(QGuiApplication::clipboard()->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// ---- The main window ----

Form1::Form1(session::Session& session, Seams seams, QWidget* parent)
    : QMainWindow(parent), m_session(session), m_seams(std::move(seams))
{
    if (m_seams.splashCounter == nullptr) {
        m_ownCounter = std::make_unique<SplashCounter>();
        m_seams.splashCounter = m_ownCounter.get();
    }
    if (m_seams.registry == nullptr) {
        m_ownRegistry = std::make_unique<platform::SystemRegistry>();
        m_seams.registry = m_ownRegistry.get();
    }
    if (m_seams.runner == nullptr) {
        m_ownRunner = std::make_unique<platform::SystemProgramRunner>();
        m_seams.runner = m_ownRunner.get();
    }
    if (!m_seams.quit) {
        m_seams.quit = [] { QCoreApplication::exit(0); };
    }
    if (!m_seams.showMainWindow) {
        m_seams.showMainWindow = [self = QPointer<Form1>(this)] {
            if (self) {
                bringToFront(self);
            }
        };
    }

    installFontSubstitutions();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setWindowIcon(appIcon());
    // Sizable, with minimize and close boxes but no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    // The controls sit at fixed places on the client area; resizing the window moves none.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFont(designFont(fonts::kArial, 8.25));
    m_client->resize(twips(kClientWidth), twips(kClientHeight));

    buildCashBox(m_client);
    buildOperations(m_client);
    buildPortfolio(m_client);
    buildMenus();

    // Tab stops once in the option group (at the selected company, or the first), then the
    // buttons; Qt already treats an exclusive group as one stop.
    for (int i = 1; i < game::kCompanyCount; ++i) {
        setTabOrder(op1[i - 1], op1[i]);
    }
    setTabOrder(op1[game::kCompanyCount - 1], Command4);
    setTabOrder(Command4, Text1);
    setTabOrder(Text1, Command3);
    setTabOrder(Command3, Command1);
    setTabOrder(Command1, Command2);

    // On a screen too small for the window its client area scrolls.
    auto* area = new ClientArea(
        m_client, this,
        QSize(twips(kClientWidth), twips(kClientHeight) + menuBar()->sizeHint().height()),
        ClientArea::Sizing::Sizable);
    setCentralWidget(area);
    area->setPlacement([this] { centreOnScreen(); });
    centreOnScreen();
    // The first company takes the focus without being selected.
    op1[0]->setFocus(Qt::OtherFocusReason);

    // Every cell shows the session's state after each event and each save's end.
    connect(&m_session, &session::Session::changed, this, &Form1::render);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildCashBox(QWidget* area)
{
    // Shapes and lines lie under the labels, as drawings on the window itself.
    Shape1 = new RectangleShape(twipRect(480, 600, 2055, 615), 2, area);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAccessibleName(cashFrameName());
    // The cash box is drawn in black whatever the system's scheme; on a face too dark for black
    // it lies on the white of the design's lines.
    useGameInk(Shape1);

    // The currency mark: a V (Line1, Line2) crossed by two bars (Line4 above, Line3 below).
    const std::array<std::pair<QPoint, QPoint>, 4> strokes{{
        {twipPoint(2040, 720), twipPoint(2160, 1080)},
        {twipPoint(2280, 720), twipPoint(2160, 1080)},
        {twipPoint(2280, 960), twipPoint(2040, 960)},
        {twipPoint(2280, 855), twipPoint(2040, 855)},
    }};
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        Line[i] = new LineShape(strokes[i].first, strokes[i].second, 2, area);
        Line[i]->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        Line[i]->setAccessibleName(currencyName());
        useGameInk(Line[i]);
    }

    Label19 = makeLabel(area, QStringLiteral("Label19"), twipRect(480, 240, 2055, 255));
    Label19->setText(cashHeading());
    Label19->setFont(designFont(fonts::kTimes, 11.25));
    Label19->setAccessibleName(cashHeading());

    Label5 =
        makeLabel(area, QStringLiteral("Label5"), twipRect(480, 840, 1455, 375), Qt::AlignRight);
    Label5->setFont(designFont(fonts::kTimes, 12, QFont::Bold));
    Label5->setWordWrap(false);
    useGameInk(Label5);
    Label5->setAccessibleDescription(cashHeading());
}

void Form1::buildOperations(QWidget* area)
{
    const QFont plain = area->font();
    const QFont titling = designFont(fonts::kCopperplateLight, 8.25, QFont::DemiBold);

    Frame2 = new QGroupBox(operations(), area);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(twipRect(3720, 120, 5415, 1695));
    Frame2->setFont(designFont(fonts::kTimes, 11.25));
    Frame2->setAccessibleName(operations());

    Command2 = new PictureButton(Frame2);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twipRect(240, 360, 1455, 1095));
    Command2->setFont(titling);
    Command2->setPicture(QString::fromLatin1(art::kBuy), QSize(88, 47));
    Command2->setFaceColour(kTradeFace);
    Command2->setCaption(buy());
    Command2->setAccessibleName(buy());

    Text1 = new QuantityEdit(Frame2);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipRect(1800, 360, 735, 375));
    Text1->setFont(plain);
    Text1->setText(QStringLiteral("1"));
    Text1->setAccessibleName(quantityName());
    Text1->setKeyHook([this](int& code) { text1_keypress(code); });
    Text1->setPasteHook([this](const QString& text) { return m_session.quantityPaste(text); });

    Command1 = new PictureButton(Frame2);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipRect(1800, 840, 735, 615));
    Command1->setFont(plain);
    Command1->setPicture(QString::fromLatin1(art::kInfo), QSize(48, 47));
    Command1->setAccessibleName(infoName());
    Command1->setToolTip(infoName());

    Command3 = new PictureButton(Frame2);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(twipRect(2640, 360, 1575, 1095));
    Command3->setFont(titling);
    Command3->setPicture(QString::fromLatin1(art::kSell), QSize(97, 47));
    Command3->setFaceColour(kTradeFace);
    Command3->setCaption(sell());
    Command3->setAccessibleName(sell());

    Command4 = new PictureButton(Frame2);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->setGeometry(twipRect(4320, 360, 855, 1095));
    Command4->setFont(designFont(fonts::kCopperplateLight, 9.75, QFont::DemiBold));
    Command4->setAccessibleDescription(dateDescription());

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

void Form1::buildPortfolio(QWidget* area)
{
    const QFont plain = area->font();
    const QFont titling = designFont(fonts::kCopperplateLight, 9.75, QFont::DemiBold);

    Frame1 = new QGroupBox(portfolio(), area);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipRect(240, 1800, 8895, 7095));
    Frame1->setFont(designFont(fonts::kTimes, 11.25));
    Frame1->setAccessibleName(portfolio());

    struct Heading {
        const char* name;
        QRect geometry;
        QString caption;
    };
    const std::array<Heading, 4> headings{{
        {"Label20", twipRect(3840, 240, 1500, 450), sharesHeading()},
        {"Label56", twipRect(5280, 240, 1140, 450), yesterdayHeading()},
        {"Label91", twipRect(6600, 360, 780, 330), changeHeading()},
        {"Label38", twipRect(7560, 240, 1140, 450), todayHeading()},
    }};
    for (const Heading& heading : headings) {
        QLabel* label = makeLabel(Frame1, QString::fromLatin1(heading.name), heading.geometry,
                                  Qt::AlignHCenter);
        label->setText(heading.caption);
        label->setFont(titling);
        label->setAccessibleName(heading.caption);
    }

    m_companies = new QButtonGroup(this);
    m_companies->setExclusive(true);
    for (int i = 0; i < game::kCompanyCount; ++i) {
        const int top = 720 + 360 * i;
        const QString company =
            QString::fromUtf8(game::companyTable()[static_cast<std::size_t>(i)].name);

        op1[i] = new QRadioButton(company, Frame1);
        op1[i]->setObjectName(indexed("op1", i));
        op1[i]->setGeometry(twipRect(240, top, i == 13 ? 3555 : 3435, 375));
        op1[i]->setFont(titling);
        op1[i]->setAccessibleName(company);
        m_companies->addButton(op1[i], i);

        Label1[i] = makeCell(Frame1, indexed("Label1", i), twipRect(3960, top, 1095, 375), plain);
        Label2[i] = makeCell(Frame1, indexed("Label2", i), twipRect(5280, top, 1095, 375), plain);
        Label3[i] = makeCell(Frame1, indexed("Label3", i), twipRect(6600, top, 735, 375), plain);
        Label4[i] = makeCell(Frame1, indexed("Label4", i), twipRect(7560, top, 1095, 375), plain);
        const QString of = QStringLiteral("%1, %2");
        Label1[i]->setAccessibleDescription(of.arg(company, sharesHeading()));
        Label2[i]->setAccessibleDescription(of.arg(company, yesterdayHeading()));
        Label3[i]->setAccessibleDescription(of.arg(company, changeHeading()));
        Label4[i]->setAccessibleDescription(of.arg(company, todayHeading()));
    }
}

QAction* Form1::addItem(QMenu* menu, const char* name, const QString& caption,
                        const QKeySequence& key, void (Form1::*procedure)())
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setShortcut(key);
    if (procedure != nullptr) {
        connect(item, &QAction::triggered, this, procedure);
    }
    return item;
}

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(menuCaption("file"));
    file->setObjectName(QStringLiteral("file"));
    const QList<QAction*> items{
        addItem(file, "nuova", menuCaption("nuova"), QKeySequence(Qt::Key_F2), &Form1::nuova_Click),
        addItem(file, "salva", menuCaption("salva"), QKeySequence(Qt::Key_F8), &Form1::salva_Click),
        addItem(file, "carica", menuCaption("carica"), QKeySequence(Qt::Key_F5),
                &Form1::carica_Click),
    };
    file->addSeparator()->setObjectName(QStringLiteral("tra"));
    QAction* hall = addItem(file, "hall", menuCaption("hall"), QKeySequence(Qt::CTRL | Qt::Key_H),
                            &Form1::hall_Click);
    file->addSeparator()->setObjectName(QStringLiteral("treew"));
    QAction* esci = addItem(file, "esci", menuCaption("esci"), QKeySequence(Qt::CTRL | Qt::Key_X),
                            &Form1::esci_Click);

    QMenu* opzioni = menuBar()->addMenu(menuCaption("opzioni"));
    opzioni->setObjectName(QStringLiteral("opzioni"));
    addItem(opzioni, "video", menuCaption("video"), QKeySequence(), nullptr);
    buildLanguageMenu(opzioni);

    QMenu* info = menuBar()->addMenu(menuCaption("info"));
    info->setObjectName(QStringLiteral("info"));
    QAction* infoprogr = addItem(info, "infoprogr", menuCaption("infoprogr"),
                                 QKeySequence(Qt::CTRL | Qt::Key_I), &Form1::infoprogr_Click);
    QAction* infoproduttor =
        addItem(info, "infoproduttor", menuCaption("infoproduttor"),
                QKeySequence(Qt::CTRL | Qt::Key_K), &Form1::infoproduttor_Click);

    // An addition beside the game's own menus, which stay as they are; its keys clash with none.
    QMenu* registroMenu = menuBar()->addMenu(menuCaption("registroMenu"));
    registroMenu->setObjectName(QStringLiteral("registroMenu"));
    QAction* registro = addItem(registroMenu, "registro", menuCaption("registro"),
                                QKeySequence(Qt::CTRL | Qt::Key_R), &Form1::registro_Click);

    QList<QKeySequence> keys;
    for (QAction* item : items + QList<QAction*>{hall, registro, esci, infoprogr, infoproduttor}) {
        keys << item->shortcut();
    }
    Text1->setWindowShortcuts(keys);
}

void Form1::buildLanguageMenu(QMenu* opzioni)
{
    QMenu* lingua = opzioni->addMenu(menuCaption("lingua"));
    lingua->setObjectName(QStringLiteral("lingua"));
    auto* choices = new QActionGroup(lingua);
    choices->setExclusive(true);
    const Language::Choice current =
        m_seams.language != nullptr ? m_seams.language->current() : Language::Choice::Italian;
    // Each language is named in itself, so a player who cannot read the other finds their own.
    const std::pair<const char*, Language::Choice> items[] = {
        {"italiano", Language::Choice::Italian}, {"english", Language::Choice::English}};
    for (const auto& [name, choice] : items) {
        QAction* item =
            lingua->addAction(choice == Language::Choice::Italian ? QStringLiteral("Italiano")
                                                                  : QStringLiteral("English"));
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(choice == current);
        choices->addAction(item);
        connect(item, &QAction::triggered, this, [this, choice = choice] {
            if (m_seams.language != nullptr) {
                m_seams.language->choose(choice);
            }
        });
    }
}

void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    }
    QMainWindow::changeEvent(event);
}

// The words of the window in the language just picked; the game's texts stay as they are.
void Form1::retranslate()
{
    if (Frame1 == nullptr) {
        return;
    }
    for (const MenuText& text : kMenuTexts) {
        const QString name = QString::fromLatin1(text.name);
        if (auto* menu = findChild<QMenu*>(name)) {
            menu->setTitle(menuCaption(text.name));
        } else if (auto* item = findChild<QAction*>(name)) {
            item->setText(menuCaption(text.name));
        }
    }
    Shape1->setAccessibleName(cashFrameName());
    for (LineShape* line : Line) {
        line->setAccessibleName(currencyName());
    }
    Label19->setText(cashHeading());
    Label19->setAccessibleName(cashHeading());
    Label5->setAccessibleDescription(cashHeading());
    Frame2->setTitle(operations());
    Frame2->setAccessibleName(operations());
    Command2->setCaption(buy());
    Command2->setAccessibleName(buy());
    Text1->setAccessibleName(quantityName());
    Command1->setAccessibleName(infoName());
    Command1->setToolTip(infoName());
    Command3->setCaption(sell());
    Command3->setAccessibleName(sell());
    Command4->setAccessibleDescription(dateDescription());
    Frame1->setTitle(portfolio());
    Frame1->setAccessibleName(portfolio());
    const std::pair<const char*, QString> headings[] = {{"Label20", sharesHeading()},
                                                        {"Label56", yesterdayHeading()},
                                                        {"Label91", changeHeading()},
                                                        {"Label38", todayHeading()}};
    for (const auto& [name, caption] : headings) {
        if (auto* label = Frame1->findChild<QLabel*>(QString::fromLatin1(name))) {
            label->setText(caption);
            label->setAccessibleName(caption);
        }
    }
    const QString of = QStringLiteral("%1, %2");
    for (int i = 0; i < game::kCompanyCount; ++i) {
        const QString company = op1[i]->text();
        Label1[i]->setAccessibleDescription(of.arg(company, sharesHeading()));
        Label2[i]->setAccessibleDescription(of.arg(company, yesterdayHeading()));
        Label3[i]->setAccessibleDescription(of.arg(company, changeHeading()));
        Label4[i]->setAccessibleDescription(of.arg(company, todayHeading()));
    }
}

void Form1::centreOnScreen()
{
    // The whole window, title and border included once the system tells their size; on a
    // screen too small for it, its title bar stays on the screen.
    placeOnScreen(this);
}

void Form1::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        centreOnScreen();
    }
    QMainWindow::showEvent(event);
}

std::optional<int> Form1::selectedCompany() const
{
    const int id = m_companies->checkedId();
    if (id < 0) {
        return std::nullopt;
    }
    return id;
}

void Form1::render()
{
    const game::GameState& state = m_session.state();
    for (int i = 0; i < game::kCompanyCount; ++i) {
        const game::Company& company = state.companies[static_cast<std::size_t>(i)];
        showCell(Label1[i], company.shares);
        showCell(Label2[i], company.yesterday);
        showCell(Label3[i], company.change);
        showCell(Label4[i], company.price);
    }
    showCell(Label5, state.cash);
    const QString date = session::shownText(state.date);
    Command4->setCaption(date);
    Command4->setAccessibleName(date);
    Command4->setToolTip(wholeTextTip(date));
}

// ---- Procedures ----

void Form1::Form_Load()
{
    m_session.load();
}

void Form1::Command1_Click()
{
    m_session.companyInformation(selectedCompany());
}

void Form1::Command2_Click()
{
    m_session.buy(selectedCompany(), Text1->text());
}

void Form1::Command3_Click()
{
    m_session.sell(selectedCompany(), Text1->text());
}

void Form1::Command4_Click()
{
    m_session.advanceDay();
}

void Form1::text1_keypress(int& keyAscii)
{
    if (!m_session.quantityKey(keyAscii)) {
        keyAscii = 0;
    }
}

void Form1::nuova_Click()
{
    m_session.newGame();
}

void Form1::salva_Click()
{
    m_session.saveMenu();
}

void Form1::carica_Click()
{
    m_session.loadMenu();
}

void Form1::esci_Click()
{
    leaveGame(m_session, m_seams.quit);
}

void Form1::hall_Click()
{
    showHallOfFame(m_session);
}

void Form1::infoprogr_Click()
{
    if (frmAbout* open = loadedWindow<frmAbout>()) {
        bringToFront(open);
        return;
    }
    bringToFront(new frmAbout(m_session.dialogs(), *m_seams.registry, *m_seams.runner));
}

void Form1::registro_Click()
{
    if (LedgerWindow* open = loadedWindow<LedgerWindow>()) {
        bringToFront(open);
        return;
    }
    // The game's menu keys work in the ledger too, through the same procedures, which need no
    // main window: the ledger may outlive this one.
    LedgerWindowSeams seams = m_seams.ledger;
    session::Session& session = m_session;
    seams.newGame = [&session] { session.newGame(); };
    seams.leave = [&session, quit = m_seams.quit] { leaveGame(session, quit); };
    seams.hallOfFame = [&session] { showHallOfFame(session); };
    seams.mainWindow = this;
    bringToFront(new LedgerWindow(m_session, std::move(seams)));
}

void Form1::infoproduttor_Click()
{
    if (frmSplash* open = loadedWindow<frmSplash>()) {
        bringToFront(open);
        return;
    }
    bringToFront(new frmSplash(*m_seams.splashCounter, m_seams.showMainWindow));
}

// ---- The loader ----

MainWindowLoader::MainWindowLoader(session::Session& session, Form1::Seams seams, platform::QtDialogs* boxes)
    : m_session(session), m_seams(std::move(seams)), m_boxes(boxes)
{
    m_seams.splashCounter = &m_splashCounter;
    m_seams.showMainWindow = [this] { show(); };
    if (m_seams.registry == nullptr) {
        m_ownRegistry = std::make_unique<platform::SystemRegistry>();
        m_seams.registry = m_ownRegistry.get();
    }
    if (m_seams.runner == nullptr) {
        m_ownRunner = std::make_unique<platform::SystemProgramRunner>();
        m_seams.runner = m_ownRunner.get();
    }
}

MainWindowLoader::~MainWindowLoader()
{
    // The program ends: every window of the game goes, and none runs a procedure on the way.
    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2*>(widget) != nullptr || qobject_cast<frmAbout*>(widget) != nullptr ||
            qobject_cast<frmSplash*>(widget) != nullptr || qobject_cast<LedgerWindow*>(widget) != nullptr) {
            windows << widget;
        }
    }
    windows << m_window.data();
    for (const QPointer<QWidget>& window : windows) {
        delete window.data();
    }
}

Form1& MainWindowLoader::show()
{
    if (m_window != nullptr && !m_window->isVisible()) {
        // Closed and waiting to be deleted: finish unloading it before loading a new one.
        delete m_window.data();
    }
    if (m_window == nullptr) {
        auto* window = new Form1(m_session, m_seams);
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_window = window;
        // The boxes hold the window weakly: once it is unloaded they open over another open
        // window of the game.
        if (m_boxes != nullptr) {
            m_boxes->setMainWindow(window);
        }
    }
    bringToFront(m_window);
    return *m_window;
}

Form1* MainWindowLoader::window() const
{
    return m_window.data();
}

} // namespace ui
