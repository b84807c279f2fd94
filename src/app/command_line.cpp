// The game's command line and its play folder.
#include "app/command_line.h"

#include "app/console.h"
#include "records/hall_of_fame.h"
#include "session/app_info.h"
#include "ui/language.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <fstream>
#include <system_error>

namespace app {

namespace {

// The texts' translation context.
class CommandLine {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

// Qt's own options that take a value in the next argument (QGuiApplication, QApplication and
// the X11 platform), and those that stand alone.
const char* const kQtOptionsWithValue[] = {"platform",
                                           "platformpluginpath",
                                           "platformtheme",
                                           "plugin",
                                           "qwindowgeometry",
                                           "geometry",
                                           "qwindowtitle",
                                           "title",
                                           "qwindowicon",
                                           "icon",
                                           "session",
                                           "display",
                                           "name",
                                           "style",
                                           "stylesheet",
                                           "qmljsdebugger"};
const char* const kQtFlags[] = {"reverse", "testability", "nograb",
                                "dograb",  "widgetcount", "sync"};

// The option's name without its one or two dashes, or empty for an argument that is none.
QByteArray optionName(const QByteArray& argument)
{
    if (argument.startsWith("--")) {
        return argument.mid(2);
    }
    if (argument.startsWith('-')) {
        return argument.mid(1);
    }
    return {};
}

// How many arguments a Qt option at `argument` takes up (1 or 2), or 0 when it is not Qt's.
int qtOptionLength(const QByteArray& argument)
{
    const QByteArray name = optionName(argument);
    if (name.isEmpty()) {
        return 0;
    }
    for (const char* option : kQtOptionsWithValue) {
        if (name == option) {
            return 2;
        }
        if (name.startsWith(QByteArray(option) + '=')) {
            return 1;
        }
    }
    for (const char* flag : kQtFlags) {
        if (name == flag) {
            return 1;
        }
    }
    return 0;
}

QString helpText()
{
    return CommandLine::tr(
               "Uso: tolvstreet [opzioni]\n"
               "Tolv Street %1, il gioco della borsa.\n"
               "\n"
               "Il gioco si salva da solo nella cartella in cui gioca: senza opzioni è la\n"
               "cartella da cui è avviato.\n"
               "\n"
               "Opzioni:\n"
               "  --folder CARTELLA  gioca nella CARTELLA (creata se manca, con la Hall of Fame "
               "vuota)\n"
               "  --user-folder      gioca nella cartella dell'utente: $XDG_DATA_HOME/TolvStreet,\n"
               "                     di solito ~/.local/share/TolvStreet\n"
               "  -h, --help         mostra questo aiuto ed esce\n"
               "  -v, --version      mostra la versione ed esce\n"
               "\n"
               "Valgono anche le opzioni di Qt, come -platform e -style.\n")
        .arg(QString::fromLatin1(session::app::kVersion));
}

StartRequest refused(const QString& why)
{
    StartRequest request;
    request.kind = StartRequest::Kind::Refused;
    request.text = why + QLatin1Char('\n') + CommandLine::tr("Per l'aiuto: tolvstreet --help") +
                   QLatin1Char('\n');
    return request;
}

} // namespace

StartRequest readCommandLine(const QList<QByteArray>& arguments)
{
    // The game's own arguments, with Qt's taken out; the bytes stay beside their text.
    QStringList texts{QStringLiteral("tolvstreet")};
    QList<QByteArray> bytes{QByteArray()};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--") {
            for (; i < arguments.size(); ++i) {
                texts << QString::fromLocal8Bit(arguments[i]);
                bytes << arguments[i];
            }
            break;
        }
        const int qtLength = qtOptionLength(arguments[i]);
        if (qtLength > 0) {
            i += qtLength - 1;
            continue;
        }
        texts << QString::fromLocal8Bit(arguments[i]);
        bytes << arguments[i];
        if (arguments[i] == "--folder" && i + 1 < arguments.size()) {
            // The folder, whatever it looks like, is the value of --folder.
            ++i;
            texts << QString::fromLocal8Bit(arguments[i]);
            bytes << arguments[i];
        }
    }

    QCommandLineParser parser;
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        CommandLine::tr("mostra l'aiuto"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     CommandLine::tr("mostra la versione"));
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    CommandLine::tr("la cartella di gioco"),
                                    CommandLine::tr("CARTELLA"));
    const QCommandLineOption userFolder(QStringLiteral("user-folder"),
                                        CommandLine::tr("la cartella di gioco dell'utente"));
    parser.addOptions({help, version, folder, userFolder});

    if (!parser.parse(texts)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString& name = unknown.constFirst();
            return refused(
                CommandLine::tr("Opzione sconosciuta: %1")
                    .arg((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name));
        }
        return refused(CommandLine::tr("Manca la cartella dopo --folder."));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return refused(CommandLine::tr("Argomento non previsto: %1")
                           .arg(parser.positionalArguments().constFirst()));
    }
    if (parser.values(folder).size() > 1) {
        return refused(CommandLine::tr("--folder si può dare una volta sola."));
    }
    if (parser.isSet(folder) && parser.isSet(userFolder)) {
        return refused(
            CommandLine::tr("--folder e --user-folder non vanno insieme: scegline uno."));
    }

    StartRequest request;
    if (parser.isSet(help)) {
        request.kind = StartRequest::Kind::Help;
        request.text = helpText();
    } else if (parser.isSet(version)) {
        request.kind = StartRequest::Kind::Version;
        request.text =
            QStringLiteral("%1 %2\n").arg(session::app::title(), QString::fromLatin1(session::app::kVersion));
    } else if (parser.isSet(userFolder)) {
        request.folder = StartRequest::Folder::User;
    } else if (parser.isSet(folder)) {
        request.folder = StartRequest::Folder::Given;
        for (qsizetype i = 1; i < bytes.size(); ++i) {
            if (bytes[i] == "--folder" && i + 1 < bytes.size()) {
                request.folderBytes = bytes[i + 1];
            } else if (bytes[i].startsWith("--folder=")) {
                request.folderBytes = bytes[i].mid(int(sizeof("--folder=")) - 1);
            }
        }
        if (request.folderBytes.isEmpty()) {
            return refused(CommandLine::tr("La cartella dopo --folder è vuota."));
        }
    }
    return request;
}

void nameTheGame()
{
    QCoreApplication::setApplicationName(session::app::title());
    QCoreApplication::setApplicationVersion(QString::fromLatin1(session::app::kVersion));
    QCoreApplication::setOrganizationName(QStringLiteral("Tolvagiochi"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("tolvagiochi.org"));
}

StartRequest readCommandLineInChosenLanguage(int& argc, char** argv)
{
    const QCoreApplication core(argc, argv);
    ui::Language language;
    language.apply(language.saved());
    return readCommandLine(commandArguments(argc, argv));
}

QString enterRequestedFolder(const StartRequest& request, int& argc, char** argv)
{
    if (request.folder == StartRequest::Folder::Working) {
        return {};
    }
    const QCoreApplication core(argc, argv);
    ui::Language language;
    language.apply(language.saved());
    const std::filesystem::path folder = request.folder == StartRequest::Folder::User
                                             ? userPlayFolder()
                                             : nativePath(request.folderBytes);
    return folder.empty() ? CommandLine::tr("Non si trova la cartella dell'utente.")
                          : enterPlayFolder(folder);
}

std::filesystem::path xdgPlayFolder(const char* xdgDataHome, const char* home)
{
    const std::string xdg = xdgDataHome != nullptr ? xdgDataHome : "";
    // The XDG rules: a relative XDG_DATA_HOME is ignored.
    if (!xdg.empty() && xdg.front() == '/') {
        return std::filesystem::path(xdg) / "TolvStreet";
    }
    if (home == nullptr || *home == '\0') {
        return {};
    }
    return std::filesystem::path(home) / ".local" / "share" / "TolvStreet";
}

QString enterPlayFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    bool created = false;
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_directory(status)) {
            return CommandLine::tr("Non si può giocare in «%1»: non è una cartella.")
                .arg(displayName(folder));
        }
    } else {
        created = std::filesystem::create_directories(folder, error);
        if (error || !created) {
            return CommandLine::tr("Non si può creare la cartella di gioco «%1»: %2.")
                .arg(displayName(folder), QString::fromLocal8Bit(error.message()));
        }
    }
    // A folder made here and not played in is taken away again: nothing is left half-done.
    const std::filesystem::path hall = folder / std::string(records::kHallOfFameName);
    const auto undo = [&] {
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(hall, ignored);
            std::filesystem::remove(folder, ignored);
        }
    };
    if (created) {
        // A new folder gets the Hall of Fame as the game expects to find it.
        std::ofstream file(hall, std::ios::binary | std::ios::trunc);
        file.write(records::kEmptyHallOfFame.data(),
                   std::streamsize(records::kEmptyHallOfFame.size()));
        file.close();
        if (!file) {
            undo();
            return CommandLine::tr(
                       "Non si può scrivere la Hall of Fame nella nuova cartella di gioco «%1».")
                .arg(displayName(folder));
        }
    }
    std::filesystem::current_path(folder, error);
    if (error) {
        undo();
        return CommandLine::tr("Non si può entrare nella cartella di gioco «%1»: %2.")
            .arg(displayName(folder), QString::fromLocal8Bit(error.message()));
    }
    return {};
}

} // namespace app
