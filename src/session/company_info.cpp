// The information texts of the seventeen companies, in the order of the company table.
#include "session/company_info.h"

#include <QCoreApplication>

#include <array>

namespace session {

CompanyInformation companyInformation(int index)
{
    // The titles are the message's own: "AliTolva" and "Carega Racing Team" are spelt
    // differently from their option buttons on purpose.
    struct Entry {
        const char* title;
        const char* description;
    };
    static const std::array<Entry, kCompanyInformationCount> entries{{
        {"CarlOil",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "\"Tutto liscio come l'olio\" è il proverbio preferito di C.J. Tolv, il "
                           "petroliere tolviano i cui terreni ricchi di petrolio hanno portato la "
                           "Carloil a diventare la maggiore produttrice di petrolio nel mondo.")},
        {"Tolva Transport",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Per terra e per mare questa compagnia di trasporti umani, animali e materiali si "
             "occuperà di spostarvi nello spazio-tempo con più spazio e meno tempo. Il suo fiore "
             "all'occhiello è l'inaffondabile transatlantico nucleare Tolvanic.")},
        {"QMT Records",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Chi vi darà la musica? Ma la QMT Records naturalmente, una tra le emittenti più "
             "potenti e famose dell'Isola di Tolva e la casa discografica più popolare dell'intero "
             "Sistema Solare. Oltre ai brani in cima alle Top-Ten di vendita planetarie la QMT "
             "Records offre anche numerosi programmi di informazione e d educativi, per esempio "
             "\"Cosa fare se sei con Tolva e comincia un terremoto\".")},
        {"Tolva Image",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Questa agenzia di moda tolviana si occupa di avviare verso il mondo della moda e "
             "dello spettacolo i giovani tolviani intraprendenti, comprendendo tutti i campi, dai "
             "servizi fotografici pubblicitari al cinema.")},
        {"AliTolva",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "I vostri guadagni decolleranno con questa agenzia di trasporti aerei. "
                           "la Tolva Airlines propone personale qualificato che vi tratterà con la "
                           "massima cortesia, dalla prima classe (la più economica) alla "
                           "diciassettesima (iperextralusso solo per Tolva).")},
        {"Dr. Pondo Glemi Research",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Questa compagnia di ricerca medica si occupa di studiare e sperimentare una "
             "soluzione sempre migliore alle malattie del nostro pianeta, come ad esempio trovare "
             "una cura per quelli che da piccoli hanno visto Tolva senza preavviso.")},
        {"Car-Loh Chinese Import",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Questa compagnia mercantile di antiche tradizioni si fa in quattro per trasportare i "
             "prodotti più richiesti dal lontano oriente fino ai negozi dell'Isola di Tolva, "
             "compreso il piatto preferito di Tolva: casseoula alla Cantonese.")},
        {"ScoReggiana",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "Una delle migliori squadre del campionato tolviano è sicuramente la "
                           "scoreggiana che nelle ultime stagioni si è comportata egregiamente "
                           "riuscendo a conquistarsi un posto in serie V, ritagliandosi anche un "
                           "posto da protagonista nella prestigiosa Coppa Tolva.")},
        {"Mulino Verde",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Ah, il buon sapore della pastasfoglia di una volta... Se volete ritrovare gli "
             "antichi sapori dei biscotti come li faceva la nonna di Tolva dovete comprare i "
             "prodotti Mulino Verde, accuratamente selezionati, solo con ingredienti naturali e "
             "non geneticamente modificati. Direttamente dai campi vicino alla centrale nucleare "
             "di Elsa alle vostre tavole!")},
        {"Carega Racing Team",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Una squadra esordiente per la categoria della Formula17 che però è riuscita a "
             "vincere per ben due anni consecutivi il campionato costruttori in QMT3000 e che ha "
             "tutte le carte in regola per sfidare le sue colleghe più famose.")},
        {"T.A.S.A.",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "La Tolvian Aerospace Stupid Agency porterà le vostre azioni sulla luna! Il progetto "
             "Spaziale dei prossimi 5 anni prevede la conquista e la colonizzazione di Plutone da "
             "parte del popolo tolviano in continua espansione.")},
        {"Chez Carlettò",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Lo chef Carlettò è uno dei migliori cuochi di questa dimensione parallela e nella "
             "sua catena di ristoranti prepara specialità provenienti da ogni parte della galassia "
             "come il famoso minestrone di diarrea (con veri pezzi di merda ancora fumanti) e le "
             "prelibate e stuzzicanti caccolette marroni.")},
        {"New Tolv Times",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "Chi non ha bisogno di un giornale affidabile per conoscere in tempo "
                           "reale le quotazioni delle azioni in borsa? Allora leggete il New Tolv "
                           "Times, primo giornale economico dell'Isola di Tolva.")},
        {"Centrale Nucleare di Elsa",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Ecco la fonte principale di energia elettrica per l'Isola di Tolva. Questa centrale "
             "nucleare posta nell'interdimensione tra Godia e l'Isola di Tolva è attiva da almeno "
             "17 anni, controllata da Elsa, sempre avvolta da uno strato di nebbia e mistero.")},
        {"Carlos' Ranch",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "Questo allevatore delle pianure Marroni primeggia nel campo dell' "
                           "import-export di bestiame ma si vocifera che da tempo stia studiando "
                           "strane elaborazioni genetiche...")},
        {"Tolva Railroad",
         QT_TRANSLATE_NOOP(
             "CompanyInfo",
             "Milioni di pendolari ogni giorno percorrono la propria tratta che dalla periferia li "
             "porta al lavoro in città. Naturalmente utilizzando i treni Tolva Railroad "
             "equipaggiati con qualsiasi comfort come carrozze ristorante, piscine riscaltate "
             "dotate di idromassaggio e campi da tennis in erba sintetica al coperto.")},
        {"Tolvasoft",
         QT_TRANSLATE_NOOP("CompanyInfo",
                           "E' inutile parlare di un'azienda che fa parlare di se in ogni momento "
                           "e che tutti ormai conoscono. Questa famosissima industria di hardware "
                           "e software che si propone sul mercato come una delle più valide "
                           "alternative al predominio Microsoft nel campo dell'informatica.")},
    }};
    if (index < 0 || index >= kCompanyInformationCount) {
        return {};
    }
    const Entry& entry = entries[static_cast<std::size_t>(index)];
    // The title is a company's name: the same in every language.
    return {QString::fromUtf8(entry.title),
            QCoreApplication::translate("CompanyInfo", entry.description)};
}

} // namespace session
