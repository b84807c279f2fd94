// The main window Form1: the cash, the trading buttons, the date, the portfolio and the menus.
#pragma once

#include "platform/registry.h"
#include "platform/widgets/qt_dialogs.h"
#include "ui/artwork.h"
#include "ui/language.h"
#include "ui/ledger_window.h"
#include "session/session.h"
#include "ui/splash_window.h"

#include <QClipboard>
#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;

namespace ui {

// The quantity entry. Every typed character goes through the key hook before it is inserted,
// pasted or dropped text through the paste hook, and the window's own shortcuts are left to the
// window (Ctrl+X asks whether to leave the game instead of cutting).
class QuantityEdit final : public QLineEdit {
    Q_OBJECT
public:
    explicit QuantityEdit(QWidget* parent = nullptr);

    // Gets each typed character's code; setting it to 0 discards the character.
    void setKeyHook(std::function<void(int&)> hook) { m_keyHook = std::move(hook); }
    // Gets text about to arrive by pasting or dropping; false refuses all of it.
    void setPasteHook(std::function<bool(const QString&)> hook) { m_pasteHook = std::move(hook); }
    void setWindowShortcuts(QList<QKeySequence> keys) { m_windowKeys = std::move(keys); }

    // Pastes from the clipboard (or the selection) if the paste hook accepts the text.
    void pasteChecked(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pasteAccepted(const QString& text) const;
    // The characters of `typed` that the key hook lets through, in order.
    QString filtered(const QString& typed) const;

    std::function<void(int&)> m_keyHook;
    std::function<bool(const QString&)> m_pasteHook;
    QList<QKeySequence> m_windowKeys;
};

// What the main window needs beyond the session; tests replace each part.
struct Form1Seams {
    // Ends the whole program at once, saving nothing. Unset: leaves the event loop.
    std::function<void()> quit;
    // Loads the main window if it is not loaded and shows it; the producer window runs it
    // when it closes. Unset: shows this window again while it exists.
    std::function<void()> showMainWindow;
    // The producer window's tick count, which outlives every window. Unset: this window's own.
    SplashCounter* splashCounter = nullptr;
    // What the about box reads and starts. Unset: the system's own.
    platform::Registry* registry = nullptr;
    platform::ProgramRunner* runner = nullptr;
    // The language that "Opzioni" > "Lingua" switches and keeps. Unset: the items only show
    // Italian as chosen.
    Language* language = nullptr;
    // What the ledger window opens with: where it keeps its place, how it asks for a file and
    // reads the finished games. The main window adds its menu procedures and itself.
    LedgerWindowSeams ledger;
    // The three above must outlive the windows opened from the menus, which may outlive the
    // main window: MainWindowLoader owns them; a Form1 without one owns its own.
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    using Seams = Form1Seams;

    // Builds the window and runs Form_Load, so every cell shows the saved game before the
    // window is first shown.
    explicit Form1(session::Session& session, Seams seams = {}, QWidget* parent = nullptr);
    ~Form1() override;

    void Form_Load();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void text1_keypress(int& keyAscii);

    void nuova_Click();
    void salva_Click();
    void carica_Click();
    void esci_Click();
    void hall_Click();
    void infoprogr_Click();
    void infoproduttor_Click();
    // The player's ledger window ("&Registro del giocatore").
    void registro_Click();

    // The selected company, if any.
    std::optional<int> selectedCompany() const;
    // Shows the session's state in the cells, the cash and the date button.
    void render();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildCashBox(QWidget* area);
    void buildOperations(QWidget* area);
    void buildPortfolio(QWidget* area);
    void buildMenus();
    void buildLanguageMenu(QMenu* opzioni);
    void retranslate();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                     void (Form1::*procedure)());
    void centreOnScreen();

    session::Session& m_session;
    Seams m_seams;
    bool m_placed = false;
    std::unique_ptr<SplashCounter> m_ownCounter;
    std::unique_ptr<platform::Registry> m_ownRegistry;
    std::unique_ptr<platform::ProgramRunner> m_ownRunner;

    QWidget* m_client = nullptr;
    QLabel* Label19 = nullptr;
    RectangleShape* Shape1 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<LineShape*, 4> Line{};

    QGroupBox* Frame2 = nullptr;
    PictureButton* Command2 = nullptr;
    QuantityEdit* Text1 = nullptr;
    PictureButton* Command1 = nullptr;
    PictureButton* Command3 = nullptr;
    PictureButton* Command4 = nullptr;

    QGroupBox* Frame1 = nullptr;
    QButtonGroup* m_companies = nullptr;
    std::array<QRadioButton*, game::kCompanyCount> op1{};
    std::array<QLabel*, game::kCompanyCount> Label1{};
    std::array<QLabel*, game::kCompanyCount> Label2{};
    std::array<QLabel*, game::kCompanyCount> Label3{};
    std::array<QLabel*, game::kCompanyCount> Label4{};
};

// What outlives any one main window: the session, the seams and the producer window's tick
// count. It loads Form1 when it is not loaded and brings it to the front; a closed Form1 is
// unloaded (deleted), and the next show() loads it afresh, reading the autosave files again.
// The producer window comes back here when it closes. Destroying the loader unloads every
// window of the game.
class MainWindowLoader {
public:
    // The seams' showMainWindow and splashCounter are the loader's own. The real boxes, if
    // given, belong to the main window while one is loaded.
    explicit MainWindowLoader(session::Session& session, Form1::Seams seams = {},
                              platform::QtDialogs* boxes = nullptr);
    ~MainWindowLoader();
    MainWindowLoader(const MainWindowLoader&) = delete;
    MainWindowLoader& operator=(const MainWindowLoader&) = delete;

    Form1& show();
    // The loaded main window, or null.
    Form1* window() const;

private:
    session::Session& m_session;
    Form1::Seams m_seams;
    platform::QtDialogs* m_boxes;
    SplashCounter m_splashCounter;
    std::unique_ptr<platform::Registry> m_ownRegistry;
    std::unique_ptr<platform::ProgramRunner> m_ownRunner;
    QPointer<Form1> m_window;
};

} // namespace ui
