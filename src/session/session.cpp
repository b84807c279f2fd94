// The session: runs each player event through the rules, the boxes and the saves.
#include "session/session.h"
#include "session/app_info.h"

#include "game/texts.h"
#include "platform/code_page.h"
#include "records/hall_of_fame.h"
#include "records/save_set.h"
#include "session/company_info.h"
#include "session/saver.h"

#include <QCoreApplication>
#include <QStringList>

namespace session {

namespace {

const QString kAppTitle = app::title();
QString errorTitle()
{
    return QCoreApplication::translate("Session", "Errore");
}

QString notEnoughCash()
{
    return QCoreApplication::translate("Session", "Non hai abbastanza soldi!");
}
QString notEnoughShares()
{
    return QCoreApplication::translate("Session", "Non puoi vendere più azioni di quelle che hai!");
}
QString wholeNumbersOnly()
{
    return QCoreApplication::translate("Session", "Solo numeri interi!");
}
QString companyFailed()
{
    return QCoreApplication::translate(
        "Session",
        "Questa società è fallita: le sue azioni non si possono più comprare né vendere.");
}
QString badCash()
{
    return QCoreApplication::translate(
        "Session", "La disponibilità liquida non è un numero valido: l'operazione è annullata.");
}
QString badPrice()
{
    return QCoreApplication::translate(
        "Session", "Il valore di questa società non è un numero valido: l'operazione è annullata.");
}
QString badShares()
{
    return QCoreApplication::translate("Session", "Le azioni acquistate di questa società non sono "
                                                  "un numero valido: l'operazione è annullata.");
}

QString winPrompt()
{
    return QCoreApplication::translate("Session", "Hai decuplicato i tuoi soldi e sei il nuovo "
                                                  "campione di Tolv Street! Inserisci il tuo nome");
}
QString winTitle()
{
    return QCoreApplication::translate("Session", "HAI VINTO !!!!");
}

QString saveMenuText()
{
    return QCoreApplication::translate("Session", "Questo gioco salva da solo!");
}
QString loadMenuText()
{
    return QCoreApplication::translate("Session",
                                       "Se salva da solo vuol dire anche che carica da solo!!");
}
QString exitPrompt()
{
    return QCoreApplication::translate(
        "Session", "Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?");
}
QString exitTitle()
{
    return QCoreApplication::translate("Session", "Uscita dal Programma");
}

QString fileName(const std::string& name)
{
    return QString::fromStdString(name);
}

QString companyName(int index)
{
    return QString::fromUtf8(
        std::string(game::companyTable()[static_cast<std::size_t>(index)].name));
}

QString failureReason(const records::StoreError& error)
{
    if (error.kind == records::StoreFailure::NotLocked) {
        return QCoreApplication::translate("Session", "la cartella di gioco non è bloccata per questa partita, che continua senza salvare");
    }
    if (error.kind == records::StoreFailure::FolderGone) {
        return QCoreApplication::translate("Session", "la cartella di gioco non c'è più");
    }
    // A failed folder sync is about the play folder itself, which has no file name to show.
    if (error.file == ".") {
        return error.kind == records::StoreFailure::NoSpace
                   ? QCoreApplication::translate("Session", "il disco è pieno")
                   : QCoreApplication::translate("Session",
                                                 "errore di scrittura nella cartella di gioco");
    }
    const QString file = fileName(error.file);
    switch (error.kind) {
    case records::StoreFailure::Permission:
        return QCoreApplication::translate(
                   "Session", "la cartella di gioco non permette di scrivere il file \"%1\"")
            .arg(file);
    case records::StoreFailure::NoSpace:
        return QCoreApplication::translate("Session", "il disco è pieno (file \"%1\")").arg(file);
    case records::StoreFailure::NotAFile:
        return QCoreApplication::translate(
                   "Session", "al posto del file \"%1\" c'è una cartella o un altro oggetto")
            .arg(file);
    case records::StoreFailure::Missing:
        return QCoreApplication::translate("Session", "il file \"%1\" non si trova").arg(file);
    case records::StoreFailure::TooLarge:
        return QCoreApplication::translate(
                   "Session", "il file \"%1\" è troppo grande per essere un file del gioco")
            .arg(file);
    case records::StoreFailure::Other:
    case records::StoreFailure::None:
    case records::StoreFailure::FolderGone:
    case records::StoreFailure::NotLocked:
        break;
    }
    return QCoreApplication::translate("Session", "errore di scrittura del file \"%1\"").arg(file);
}

QString hallOfFameCopyText(const std::string& copy)
{
    return QCoreApplication::translate("Session", "La Hall of Fame (\"%1\") non era nel formato del gioco: "
                                                  "una sua copia è conservata come \"%2\".")
        .arg(fileName(std::string(records::kHallOfFameName)), fileName(copy));
}

QString damageText(records::Damage damage)
{
    switch (damage) {
    case records::Damage::Missing:
        return QCoreApplication::translate("Session", "manca");
    case records::Damage::Unreadable:
        return QCoreApplication::translate("Session", "non si può leggere");
    case records::Damage::BadRecord:
        return QCoreApplication::translate("Session", "contiene una riga non valida");
    case records::Damage::TooFewRecords:
        return QCoreApplication::translate("Session", "è incompleto");
    case records::Damage::NotANumber:
        return QCoreApplication::translate("Session", "contiene un valore che non è un numero");
    case records::Damage::NotADate:
        return QCoreApplication::translate("Session", "non contiene una data valida");
    case records::Damage::TooLarge:
        return QCoreApplication::translate("Session",
                                           "è troppo grande per essere un file del gioco");
    case records::Damage::TooLong:
        return QCoreApplication::translate("Session", "contiene un valore troppo lungo");
    }
    return {};
}

} // namespace

QString shownText(const std::string& text)
{
    return platform::fromCodePage(text);
}

Session::Session(records::TextStore& store, platform::Dialogs& dialogs, game::RandomSource& random, Saver& saver)
    : m_store(store), m_dialogs(dialogs), m_random(random), m_files(store), m_saver(saver), m_state(game::startingState())
{
    m_saver.setDone([this](const records::SaveJob& job, const records::SaveReport& report) { saveEnded(job, report); });
}

Session::~Session()
{
    m_saver.setDone(nullptr);
}

void Session::error(const QString& prompt)
{
    m_dialogs.message(prompt, errorTitle());
}

void Session::load()
{
    m_random.seedFromClock();
    // The main window loads again after it was closed (the producer window brings it back).
    // Saves still queued are about to write the state the game has: nothing is read that they
    // will rewrite, and the game goes on from that state.
    if (m_saver.busy()) {
        emit changed();
        return;
    }
    // What this run could not save yet (a win above all) is saved before the files are read
    // afresh, and the game goes on from what it has: the winner is neither lost nor allowed to
    // win twice from the old cash. If that save fails too, the next one carries it the same way.
    if (m_files.owesASave()) {
        save(records::WriteOrder::DataFirst);
        emit changed();
        return;
    }
    const records::StartReport report = m_files.start();
    tellStart(report);
    switch (report.read.kind) {
    case records::AutosaveRead::Kind::Loaded:
        m_state = report.read.state;
        break;
    case records::AutosaveRead::Kind::NoFiles:
    case records::AutosaveRead::Kind::Damaged: {
        m_state = game::startingState();
        // A new ledger with the new game; what the start found wrong with the old one stays said.
        const records::LedgerNote note = m_files.ledger().note;
        m_files.newGame(m_state);
        if (note.kind == records::LedgerNote::Kind::Damaged || note.kind == records::LedgerNote::Kind::NotSaved) {
            m_files.ledger().note = note;
        }
        save(records::WriteOrder::DataFirst);
        break;
    }
    }
    emit changed();
}

void Session::tellStart(const records::StartReport& report)
{
    if (report.kept.error) {
        m_failing = true; // the box below says the game is not being saved
    }
    QStringList kept;
    for (const auto& [name, backupName] : report.kept.moved) {
        kept << QCoreApplication::translate("Session", "\"%1\" come \"%2\"")
                    .arg(fileName(name), fileName(backupName));
    }
    const auto keptText = [&]() {
        QString text;
        if (report.kept.error) {
            text += QCoreApplication::translate(
                        "Session",
                        "Non è stato possibile conservarne una copia (%1): la partita non viene "
                        "salvata finché non si potrà farlo.\n")
                        .arg(failureReason(report.kept.error));
        }
        if (!kept.isEmpty()) {
            text += QCoreApplication::translate("Session", "Sono stati conservati: %1.\n")
                        .arg(kept.join(QStringLiteral(", ")));
        }
        return text;
    };
    if (report.resumedBackup != 0 && !report.kept.error) {
        // The start that began keeping them was cut short before it could say so; every file
        // of the set has gone to its backup name, so a new game follows.
        m_dialogs.message(QCoreApplication::translate(
                              "Session", "Un avvio precedente si è interrotto mentre conservava i file "
                                         "danneggiati della partita: sono conservati con il numero %1 "
                                         "(come \"Data1.bak%1\").\nInizia una nuova partita.")
                              .arg(QString::number(report.resumedBackup)),
                          kAppTitle);
    }
    if (!report.hallOfFameCopy.empty()) {
        m_dialogs.message(hallOfFameCopyText(report.hallOfFameCopy), kAppTitle);
    }
    switch (report.journal) {
    case records::Recovery::Kind::Unreadable:
        m_dialogs.message(
            QCoreApplication::translate(
                "Session", "Non è stato possibile leggere il salvataggio interrotto (%1): i file "
                           "della partita potrebbero essere di due giorni diversi.\n%2"
                           "Inizia una nuova partita.")
                .arg(failureReason(report.journalError), keptText()),
            kAppTitle);
        return;
    case records::Recovery::Kind::NotCompleted:
        m_dialogs.message(QCoreApplication::translate(
                              "Session",
                              "Non è stato possibile completare un salvataggio interrotto (%1).\n"
                              "La partita continua da quel salvataggio; il prossimo salvataggio "
                              "riproverà.")
                              .arg(failureReason(report.journalError)),
                          kAppTitle);
        return;
    case records::Recovery::Kind::NotAJournal:
        m_dialogs.message(
            QCoreApplication::translate(
                "Session", "Non è stato possibile completare un salvataggio interrotto (%1).")
                .arg(failureReason(report.journalError)),
            kAppTitle);
        break;
    case records::Recovery::Kind::Foreign:
        if (report.read.kind != records::AutosaveRead::Kind::Damaged) {
            m_dialogs.message(
                QCoreApplication::translate("Session",
                                            "Al posto del file \"%1\", dove il gioco tiene i salvataggi in "
                                            "corso, c'era un file che non è del gioco.\n%2")
                    .arg(fileName(std::string(records::kJournalName)), keptText()),
                kAppTitle);
            return;
        }
        break;
    default:
        break;
    }
    if (report.read.kind != records::AutosaveRead::Kind::Damaged) {
        return;
    }
    QStringList damaged;
    for (const records::FileProblem& problem : report.read.problems) {
        damaged
            << QStringLiteral("\"%1\" %2").arg(fileName(problem.name), damageText(problem.damage));
    }
    m_dialogs.message(
        QCoreApplication::translate(
            "Session",
            "I file della partita salvata sono danneggiati: %1.\n%2Inizia una nuova partita.")
            .arg(damaged.join(QStringLiteral(", ")), keptText()),
        kAppTitle);
}

void Session::save(records::WriteOrder order)
{
    m_saver.queue(m_files.nextSave(m_state, order));
}

void Session::saveEnded(const records::SaveJob& job, const records::SaveReport& report)
{
    m_files.saved(job, report);
    if (report) {
        m_failing = false;
        // A Hall of Fame not in the game's form is kept byte for byte once, under the name
        // this save wrote.
        if (const auto& copy = job.carries.hallOfFameCopy) {
            m_dialogs.message(hallOfFameCopyText(copy->nameAfter(report)), kAppTitle);
        }
        for (const std::string& name : report.fellBack) {
            m_dialogs.message(QCoreApplication::translate(
                                  "Session", "I numeri per conservare i file del gioco sono arrivati al massimo: "
                                             "il file è conservato come \"%1\", il primo numero libero.")
                                  .arg(fileName(name)),
                              kAppTitle);
        }
    } else if (!m_failing) {
        // Every save of a failing stretch fails the same way: one box says it, and play goes on.
        m_failing = true;
        reportSaveFailure(report);
    }
    emit saved();
}

void Session::reportSaveFailure(const records::SaveReport& report)
{
    QString prompt;
    switch (report.outcome) {
    case records::SaveOutcome::NotKept:
        prompt =
            QCoreApplication::translate(
                "Session",
                "Non è stato possibile conservare una copia dei file danneggiati (%1): la partita "
                "non viene salvata finché non si potrà farlo.\n"
                "Il gioco continua; il prossimo salvataggio riproverà.")
                .arg(failureReason(report.error));
        break;
    case records::SaveOutcome::TooLarge:
        prompt =
            QCoreApplication::translate(
                "Session",
                "Non è stato possibile salvare la partita: la Hall of Fame (\"%1\") è troppo "
                "grande "
                "per un salvataggio sicuro.\nIl gioco continua; il prossimo salvataggio riproverà.")
                .arg(fileName(std::string(records::kHallOfFameName)));
        break;
    default:
        prompt = QCoreApplication::translate(
                     "Session", "Non è stato possibile salvare la partita: %1.\n"
                                "Il gioco continua; il prossimo salvataggio riproverà.")
                     .arg(failureReason(report.error));
        break;
    }
    m_dialogs.message(prompt, kAppTitle);
}

void Session::newGame()
{
    game::newGame(m_state);
    m_files.newGame(m_state);
    save(records::WriteOrder::DataFirst);
    emit changed();
}

void Session::advanceDay()
{
    const game::AdvanceResult result = game::advanceDay(m_state, m_random);
    switch (result.outcome) {
    case game::AdvanceOutcome::Done:
        m_files.ledger().day(m_state);
        save(records::WriteOrder::DateFirst);
        break;
    case game::AdvanceOutcome::BadDate:
        error(QCoreApplication::translate(
            "Session", "La data del gioco non è valida: il giorno non può avanzare."));
        break;
    case game::AdvanceOutcome::CalendarEnd:
        error(QCoreApplication::translate(
            "Session", "Il calendario del gioco finisce il 31 Dic 32767: il giorno non può "
                       "avanzare oltre."));
        break;
    case game::AdvanceOutcome::BadPrice:
        error(QCoreApplication::translate(
                  "Session",
                  "Il valore di \"%1\" non è un numero valido: il giorno non può avanzare.")
                  .arg(companyName(result.company)));
        break;
    }
    emit changed();
}

namespace {

void tellTradeOutcome(game::TradeOutcome outcome, platform::Dialogs& dialogs)
{
    const auto say = [&dialogs](const QString& prompt) { dialogs.message(prompt, errorTitle()); };
    switch (outcome) {
    case game::TradeOutcome::Done:
        return;
    case game::TradeOutcome::NotEnoughCash:
        return say(notEnoughCash());
    case game::TradeOutcome::NotEnoughShares:
        return say(notEnoughShares());
    case game::TradeOutcome::BadQuantity:
        return say(wholeNumbersOnly());
    case game::TradeOutcome::CompanyFailed:
        return say(companyFailed());
    case game::TradeOutcome::BadCash:
        return say(badCash());
    case game::TradeOutcome::BadPrice:
        return say(badPrice());
    case game::TradeOutcome::BadShares:
        return say(badShares());
    }
}

} // namespace

void Session::buy(std::optional<int> selected, const QString& quantity)
{
    const game::GameState before = m_state;
    const game::TradeOutcome outcome = game::buy(m_state, selected, quantity.toStdString());
    noteTrade(before, selected, quantity, true, outcome);
    tellTradeOutcome(outcome, m_dialogs);
    emit changed();
}

void Session::sell(std::optional<int> selected, const QString& quantity)
{
    const game::GameState before = m_state;
    const game::TradeOutcome outcome = game::sell(m_state, selected, quantity.toStdString());
    noteTrade(before, selected, quantity, false, outcome);
    tellTradeOutcome(outcome, m_dialogs);
    winCheck(); // on every press of "Vendere", also after a refusal
    emit changed();
}

void Session::noteTrade(const game::GameState& before, std::optional<int> selected, const QString& quantity,
                        bool buy, game::TradeOutcome outcome)
{
    const std::optional<std::int32_t> shares = game::readQuantity(quantity.toStdString());
    if (outcome == game::TradeOutcome::Done && selected && *selected >= 0 && *selected < game::kCompanyCount &&
        shares && *shares > 0) {
        m_files.ledger().trade(before, m_state, *selected, buy, *shares);
    }
}

void Session::winCheck()
{
    if (!game::hasWon(m_state)) {
        return;
    }
    const std::string name = platform::toCodePage(m_dialogs.input(winPrompt(), winTitle()));

    // The winner joins the Hall of Fame in the same save as the reset, so a crash can never
    // keep the record without the reset (a second win from the same cash) or the reset without
    // the record.
    const records::WinReport win = m_files.recordWin(name, m_state.date);
    const QString hallOfFame = fileName(std::string(records::kHallOfFameName));
    if (win.unreadable) {
        m_dialogs.message(QCoreApplication::translate(
                              "Session", "Non è stato possibile leggere la Hall of Fame (%1): "
                                         "questa vittoria non vi sarà registrata.")
                              .arg(failureReason(win.unreadable)),
                          kAppTitle);
    } else if (win.replacesLink) {
        m_dialogs.message(
            QCoreApplication::translate(
                "Session", "Al posto della Hall of Fame (\"%1\") c'era un collegamento: la nuova "
                           "Hall of Fame ne prende il posto, e il file a cui portava resta com'è.")
                .arg(hallOfFame),
            kAppTitle);
    }
    m_files.ledger().win(m_state); // the portfolio closes with the net worth it reached
    game::resetAfterWin(m_state);
    save(records::WriteOrder::DataFirst);
}

bool Session::quantityKey(int code)
{
    if (game::quantityKeyAccepted(code)) {
        return true;
    }
    error(wholeNumbersOnly());
    return false;
}

bool Session::quantityPaste(const QString& text)
{
    for (const QChar c : text) {
        if (!game::quantityKeyAccepted(c.unicode())) {
            error(wholeNumbersOnly());
            return false;
        }
    }
    return true;
}

void Session::companyInformation(std::optional<int> selected)
{
    if (!selected || *selected < 0 || *selected >= game::kCompanyCount) {
        return;
    }
    const CompanyInformation& info = session::companyInformation(*selected);
    m_dialogs.message(info.description, info.title);
}

QString Session::hallOfFameText()
{
    return platform::fromCodePage(m_files.readHallOfFame());
}

void Session::saveMenu()
{
    m_dialogs.message(saveMenuText(), kAppTitle);
}

void Session::loadMenu()
{
    m_dialogs.message(loadMenuText(), kAppTitle);
}

bool Session::confirmExit()
{
    return m_dialogs.question(exitPrompt(), exitTitle());
}

} // namespace session
