// The session: runs each player event through the rules, the boxes and the saves.
#include "ui/session.h"
#include "ui/app_info.h"

#include "game/rules.h"
#include "platform/code_page.h"
#include "records/hall_of_fame.h"
#include "records/save_set.h"
#include "ui/company_info.h"

#include <QStringList>

namespace ui {

namespace {

const QString kAppTitle = app::title();
const QString kErrorTitle = QStringLiteral("Errore");

const QString kNotEnoughCash = QStringLiteral("Non hai abbastanza soldi!");
const QString kNotEnoughShares = QStringLiteral("Non puoi vendere più azioni di quelle che hai!");
const QString kWholeNumbersOnly = QStringLiteral("Solo numeri interi!");
const QString kCompanyFailed =
    QStringLiteral("Questa società è fallita: le sue azioni non si possono più comprare né vendere.");
const QString kBadCash =
    QStringLiteral("La disponibilità liquida non è un numero valido: l'operazione è annullata.");
const QString kBadPrice =
    QStringLiteral("Il valore di questa società non è un numero valido: l'operazione è annullata.");
const QString kBadShares = QStringLiteral(
    "Le azioni acquistate di questa società non sono un numero valido: l'operazione è annullata.");

const QString kWinPrompt = QStringLiteral(
    "Hai decuplicato i tuoi soldi e sei il nuovo campione di Tolv Street! Inserisci il tuo nome");
const QString kWinTitle = QStringLiteral("HAI VINTO !!!!");

const QString kSaveMenu = QStringLiteral("Questo gioco salva da solo!");
const QString kLoadMenu = QStringLiteral("Se salva da solo vuol dire anche che carica da solo!!");
const QString kExitPrompt =
    QStringLiteral("Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?");
const QString kExitTitle = QStringLiteral("Uscita dal Programma");

QString fileName(const std::string& name) { return QString::fromStdString(name); }

QString companyName(int index)
{
    return QString::fromUtf8(std::string(game::companyTable()[static_cast<std::size_t>(index)].name));
}

QString failureReason(const platform::StoreError& error)
{
    // A failed folder sync is about the play folder itself, which has no file name to show.
    if (error.file == ".") {
        return error.kind == platform::StoreFailure::NoSpace
                   ? QStringLiteral("il disco è pieno")
                   : QStringLiteral("errore di scrittura nella cartella di gioco");
    }
    const QString file = fileName(error.file);
    switch (error.kind) {
    case platform::StoreFailure::Permission:
        return QStringLiteral("la cartella di gioco non permette di scrivere il file \"%1\"").arg(file);
    case platform::StoreFailure::NoSpace:
        return QStringLiteral("il disco è pieno (file \"%1\")").arg(file);
    case platform::StoreFailure::NotAFile:
        return QStringLiteral("al posto del file \"%1\" c'è una cartella o un altro oggetto").arg(file);
    case platform::StoreFailure::Missing:
        return QStringLiteral("il file \"%1\" non si trova").arg(file);
    case platform::StoreFailure::Other:
    case platform::StoreFailure::None:
        break;
    }
    return QStringLiteral("errore di scrittura del file \"%1\"").arg(file);
}

QString damageText(records::Damage damage)
{
    switch (damage) {
    case records::Damage::Missing:
        return QStringLiteral("manca");
    case records::Damage::Unreadable:
        return QStringLiteral("non si può leggere");
    case records::Damage::BadRecord:
        return QStringLiteral("contiene una riga non valida");
    case records::Damage::TooFewRecords:
        return QStringLiteral("è incompleto");
    case records::Damage::NotANumber:
        return QStringLiteral("contiene un valore che non è un numero");
    case records::Damage::NotADate:
        return QStringLiteral("non contiene una data valida");
    }
    return {};
}

// The first "<name>.bakN" free in the folder; a folder standing at a name takes it as well.
std::string freeBackupName(platform::TextStore& store, std::string_view name)
{
    for (int n = 1;; ++n) {
        std::string candidate = std::string(name) + ".bak" + std::to_string(n);
        if (!store.exists(candidate) && store.read(candidate).error.kind == platform::StoreFailure::Missing) {
            return candidate;
        }
    }
}

std::array<std::optional<std::string>, 6> autosaveContents(const std::vector<records::FileContent>& files)
{
    std::array<std::optional<std::string>, 6> contents;
    for (const records::FileContent& file : files) {
        for (std::size_t i = 0; i < records::kAutosaveNames.size(); ++i) {
            if (file.name == records::kAutosaveNames[i]) {
                contents[i] = file.bytes;
            }
        }
    }
    return contents;
}

} // namespace

QString shownText(const std::string& text) { return platform::fromCodePage(text); }

Session::Session(platform::TextStore& store, platform::Dialogs& dialogs, game::RandomSource& random)
    : m_store(store), m_dialogs(dialogs), m_random(random), m_state(game::startingState())
{
}

void Session::error(const QString& prompt) { m_dialogs.message(prompt, kErrorTitle); }

void Session::load()
{
    m_random.seedFromClock();
    // The main window loads again after it was closed (the producer window brings it back).
    // A win that this run could not save yet is saved now, before the files are read afresh,
    // so the winner is neither lost nor allowed to win twice from the old cash.
    if (m_pendingHallOfFame) {
        save(records::WriteOrder::DataFirst);
    }
    m_pendingHallOfFame.reset();
    m_hallOfFameCopy.reset();

    // An interrupted save is finished (or, if torn, forgotten) before anything is read, so the
    // six files are always one whole set.
    const records::Recovery recovery = records::recoverSet(m_store);
    records::AutosaveRead read;
    if (recovery.kind == records::Recovery::Kind::NotCompleted) {
        read = records::parseAutosave(autosaveContents(recovery.files));
        for (const records::FileContent& file : recovery.files) {
            if (file.name == records::kHallOfFameName) {
                m_pendingHallOfFame = file.bytes;
            }
        }
        reportSaveFailure(recovery.error);
    } else {
        if (recovery.error) {
            // The journal of an interrupted save is there but cannot be read: it stays for the
            // next start, and the player learns why the files may be a step behind.
            m_dialogs.message(QStringLiteral("Non è stato possibile completare un salvataggio "
                                             "interrotto (%1).")
                                  .arg(failureReason(recovery.error)),
                              kAppTitle);
        }
        read = records::readAutosave(m_store);
    }

    switch (read.kind) {
    case records::AutosaveRead::Kind::Loaded:
        m_state = read.state;
        break;
    case records::AutosaveRead::Kind::NoFiles:
        m_state = game::startingState();
        save(records::WriteOrder::DataFirst);
        break;
    case records::AutosaveRead::Kind::Damaged:
        startAfresh(read.problems);
        break;
    }
}

void Session::startAfresh(const std::vector<records::FileProblem>& problems)
{
    QStringList damaged;
    for (const records::FileProblem& problem : problems) {
        damaged << QStringLiteral("\"%1\" %2").arg(fileName(problem.name), damageText(problem.damage));
    }
    const records::BackupResult backup = records::keepDamagedFiles(m_store);
    QStringList kept;
    for (const auto& [name, backupName] : backup.moved) {
        kept << QStringLiteral("\"%1\" come \"%2\"").arg(fileName(name), fileName(backupName));
    }
    QString prompt = QStringLiteral("I file della partita salvata sono danneggiati: %1.\n")
                         .arg(damaged.join(QStringLiteral(", ")));
    if (backup.error) {
        prompt += QStringLiteral("Non è stato possibile conservarne una copia (%1).\n")
                      .arg(failureReason(backup.error));
    } else if (!kept.isEmpty()) {
        prompt += QStringLiteral("Sono stati conservati: %1.\n").arg(kept.join(QStringLiteral(", ")));
    }
    prompt += QStringLiteral("Inizia una nuova partita.");
    m_dialogs.message(prompt, kAppTitle);

    m_state = game::startingState();
    if (!backup.error) {
        save(records::WriteOrder::DataFirst);
    }
}

void Session::save(records::WriteOrder order)
{
    std::vector<records::FileContent> files;
    if (m_hallOfFameCopy) {
        files.push_back(*m_hallOfFameCopy);
    }
    if (m_pendingHallOfFame) {
        files.push_back({std::string(records::kHallOfFameName), *m_pendingHallOfFame});
    }
    for (records::FileContent& file : records::autosaveFiles(m_state, order)) {
        files.push_back(std::move(file));
    }
    const platform::StoreError failure = records::saveSet(m_store, files);
    if (failure) {
        reportSaveFailure(failure);
        return;
    }
    m_pendingHallOfFame.reset();
    m_hallOfFameCopy.reset();
}

void Session::reportSaveFailure(const platform::StoreError& error)
{
    m_dialogs.message(QStringLiteral("Non è stato possibile salvare la partita: %1.\n"
                                     "Il gioco continua; il prossimo salvataggio riproverà.")
                          .arg(failureReason(error)),
                      kAppTitle);
}

void Session::newGame()
{
    game::newGame(m_state);
    save(records::WriteOrder::DataFirst);
}

void Session::advanceDay()
{
    const game::AdvanceResult result = game::advanceDay(m_state, m_random);
    switch (result.outcome) {
    case game::AdvanceOutcome::Done:
        save(records::WriteOrder::DateFirst);
        break;
    case game::AdvanceOutcome::BadDate:
        error(QStringLiteral("La data del gioco non è valida: il giorno non può avanzare."));
        break;
    case game::AdvanceOutcome::CalendarEnd:
        error(QStringLiteral("Il calendario del gioco finisce il 31 Dic 32767: il giorno non può "
                             "avanzare oltre."));
        break;
    case game::AdvanceOutcome::BadPrice:
        error(QStringLiteral("Il valore di \"%1\" non è un numero valido: il giorno non può avanzare.")
                  .arg(companyName(result.company)));
        break;
    }
}

namespace {

void tellTradeOutcome(game::TradeOutcome outcome, platform::Dialogs& dialogs)
{
    const auto say = [&dialogs](const QString& prompt) { dialogs.message(prompt, kErrorTitle); };
    switch (outcome) {
    case game::TradeOutcome::Done:
        return;
    case game::TradeOutcome::NotEnoughCash:
        return say(kNotEnoughCash);
    case game::TradeOutcome::NotEnoughShares:
        return say(kNotEnoughShares);
    case game::TradeOutcome::BadQuantity:
        return say(kWholeNumbersOnly);
    case game::TradeOutcome::CompanyFailed:
        return say(kCompanyFailed);
    case game::TradeOutcome::BadCash:
        return say(kBadCash);
    case game::TradeOutcome::BadPrice:
        return say(kBadPrice);
    case game::TradeOutcome::BadShares:
        return say(kBadShares);
    }
}

} // namespace

void Session::buy(std::optional<int> selected, const QString& quantity)
{
    tellTradeOutcome(game::buy(m_state, selected, quantity.toStdString()), m_dialogs);
}

void Session::sell(std::optional<int> selected, const QString& quantity)
{
    tellTradeOutcome(game::sell(m_state, selected, quantity.toStdString()), m_dialogs);
    winCheck(); // on every press of "Vendere", also after a refusal
}

void Session::winCheck()
{
    if (!game::hasWon(m_state)) {
        return;
    }
    const std::string name = platform::toCodePage(m_dialogs.input(kWinPrompt, kWinTitle));

    // The winner joins the Hall of Fame in the same save as the reset, so a crash can never
    // keep the record without the reset (a second win from the same cash) or the reset without
    // the record.
    std::optional<std::string> current = m_pendingHallOfFame;
    bool hallOfFameReadable = true;
    if (!current) {
        platform::ReadResult read = m_store.read(std::string(records::kHallOfFameName));
        if (!read.error) {
            current = std::move(read.bytes);
            // Shorter than a quoted line it holds no record; otherwise nothing of it is lost.
            if (current->size() >= 4 && !records::isQuotedLine(*current)) {
                const std::string copy = freeBackupName(m_store, records::kHallOfFameName);
                m_hallOfFameCopy = records::FileContent{copy, *current};
                m_dialogs.message(QStringLiteral("La Hall of Fame (\"%1\") non era nel formato del gioco: "
                                                 "una sua copia è conservata come \"%2\".")
                                      .arg(fileName(std::string(records::kHallOfFameName)), fileName(copy)),
                                  kAppTitle);
            }
        } else if (read.error.kind != platform::StoreFailure::Missing) {
            hallOfFameReadable = false;
            m_dialogs.message(QStringLiteral("Non è stato possibile leggere la Hall of Fame (%1): "
                                             "questa vittoria non vi sarà registrata.")
                                  .arg(failureReason(read.error)),
                              kAppTitle);
        }
    }
    if (hallOfFameReadable) {
        m_pendingHallOfFame = records::appendWinner(current ? &*current : nullptr, name, m_state.date);
    }
    game::resetAfterWin(m_state);
    save(records::WriteOrder::DataFirst);
}

bool Session::quantityKey(int code)
{
    if (game::quantityKeyAccepted(code)) {
        return true;
    }
    error(kWholeNumbersOnly);
    return false;
}

bool Session::quantityPaste(const QString& text)
{
    for (const QChar c : text) {
        if (!game::quantityKeyAccepted(c.unicode())) {
            error(kWholeNumbersOnly);
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
    const CompanyInformation& info = ui::companyInformation(*selected);
    m_dialogs.message(info.description, info.title);
}

QString Session::hallOfFameText()
{
    if (m_pendingHallOfFame) {
        return platform::fromCodePage(*m_pendingHallOfFame);
    }
    const platform::ReadResult read = m_store.read(std::string(records::kHallOfFameName));
    return platform::fromCodePage(records::hallOfFameShown(read.error ? nullptr : &read.bytes));
}

void Session::saveMenu() { m_dialogs.message(kSaveMenu, kAppTitle); }

void Session::loadMenu() { m_dialogs.message(kLoadMenu, kAppTitle); }

bool Session::confirmExit() { return m_dialogs.question(kExitPrompt, kExitTitle); }

} // namespace ui
