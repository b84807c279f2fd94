// The information texts of the seventeen companies, in the order of the company table.
#include "ui/company_info.h"

#include <array>

namespace ui {

const CompanyInformation& companyInformation(int index)
{
    // The titles are the message's own: "AliTolva" and "Carega Racing Team" are spelt
    // differently from their option buttons on purpose.
    static const std::array<CompanyInformation, kCompanyInformationCount> entries{{
        {QStringLiteral("CarlOil"),
         QStringLiteral("\"Tutto liscio come l'olio\" è il proverbio preferito di C.J. Tolv, il petroliere tolviano i cui terreni ricchi di petrolio hanno portato la Carloil a diventare la maggiore produttrice di petrolio nel mondo.")},
        {QStringLiteral("Tolva Transport"),
         QStringLiteral("Per terra e per mare questa compagnia di trasporti umani, animali e materiali si occuperà di spostarvi nello spazio-tempo con più spazio e meno tempo. Il suo fiore all'occhiello è l'inaffondabile transatlantico nucleare Tolvanic.")},
        {QStringLiteral("QMT Records"),
         QStringLiteral("Chi vi darà la musica? Ma la QMT Records naturalmente, una tra le emittenti più potenti e famose dell'Isola di Tolva e la casa discografica più popolare dell'intero Sistema Solare. Oltre ai brani in cima alle Top-Ten di vendita planetarie la QMT Records offre anche numerosi programmi di informazione e d educativi, per esempio \"Cosa fare se sei con Tolva e comincia un terremoto\".")},
        {QStringLiteral("Tolva Image"),
         QStringLiteral("Questa agenzia di moda tolviana si occupa di avviare verso il mondo della moda e dello spettacolo i giovani tolviani intraprendenti, comprendendo tutti i campi, dai servizi fotografici pubblicitari al cinema.")},
        {QStringLiteral("AliTolva"),
         QStringLiteral("I vostri guadagni decolleranno con questa agenzia di trasporti aerei. la Tolva Airlines propone personale qualificato che vi tratterà con la massima cortesia, dalla prima classe (la più economica) alla diciassettesima (iperextralusso solo per Tolva).")},
        {QStringLiteral("Dr. Pondo Glemi Research"),
         QStringLiteral("Questa compagnia di ricerca medica si occupa di studiare e sperimentare una soluzione sempre migliore alle malattie del nostro pianeta, come ad esempio trovare una cura per quelli che da piccoli hanno visto Tolva senza preavviso.")},
        {QStringLiteral("Car-Loh Chinese Import"),
         QStringLiteral("Questa compagnia mercantile di antiche tradizioni si fa in quattro per trasportare i prodotti più richiesti dal lontano oriente fino ai negozi dell'Isola di Tolva, compreso il piatto preferito di Tolva: casseoula alla Cantonese.")},
        {QStringLiteral("ScoReggiana"),
         QStringLiteral("Una delle migliori squadre del campionato tolviano è sicuramente la scoreggiana che nelle ultime stagioni si è comportata egregiamente riuscendo a conquistarsi un posto in serie V, ritagliandosi anche un posto da protagonista nella prestigiosa Coppa Tolva.")},
        {QStringLiteral("Mulino Verde"),
         QStringLiteral("Ah, il buon sapore della pastasfoglia di una volta... Se volete ritrovare gli antichi sapori dei biscotti come li faceva la nonna di Tolva dovete comprare i prodotti Mulino Verde, accuratamente selezionati, solo con ingredienti naturali e non geneticamente modificati. Direttamente dai campi vicino alla centrale nucleare di Elsa alle vostre tavole!")},
        {QStringLiteral("Carega Racing Team"),
         QStringLiteral("Una squadra esordiente per la categoria della Formula17 che però è riuscita a vincere per ben due anni consecutivi il campionato costruttori in QMT3000 e che ha tutte le carte in regola per sfidare le sue colleghe più famose.")},
        {QStringLiteral("T.A.S.A."),
         QStringLiteral("La Tolvian Aerospace Stupid Agency porterà le vostre azioni sulla luna! Il progetto Spaziale dei prossimi 5 anni prevede la conquista e la colonizzazione di Plutone da parte del popolo tolviano in continua espansione.")},
        {QStringLiteral("Chez Carlettò"),
         QStringLiteral("Lo chef Carlettò è uno dei migliori cuochi di questa dimensione parallela e nella sua catena di ristoranti prepara specialità provenienti da ogni parte della galassia come il famoso minestrone di diarrea (con veri pezzi di merda ancora fumanti) e le prelibate e stuzzicanti caccolette marroni.")},
        {QStringLiteral("New Tolv Times"),
         QStringLiteral("Chi non ha bisogno di un giornale affidabile per conoscere in tempo reale le quotazioni delle azioni in borsa? Allora leggete il New Tolv Times, primo giornale economico dell'Isola di Tolva.")},
        {QStringLiteral("Centrale Nucleare di Elsa"),
         QStringLiteral("Ecco la fonte principale di energia elettrica per l'Isola di Tolva. Questa centrale nucleare posta nell'interdimensione tra Godia e l'Isola di Tolva è attiva da almeno 17 anni, controllata da Elsa, sempre avvolta da uno strato di nebbia e mistero.")},
        {QStringLiteral("Carlos' Ranch"),
         QStringLiteral("Questo allevatore delle pianure Marroni primeggia nel campo dell' import-export di bestiame ma si vocifera che da tempo stia studiando strane elaborazioni genetiche...")},
        {QStringLiteral("Tolva Railroad"),
         QStringLiteral("Milioni di pendolari ogni giorno percorrono la propria tratta che dalla periferia li porta al lavoro in città. Naturalmente utilizzando i treni Tolva Railroad equipaggiati con qualsiasi comfort come carrozze ristorante, piscine riscaltate dotate di idromassaggio e campi da tennis in erba sintetica al coperto.")},
        {QStringLiteral("Tolvasoft"),
         QStringLiteral("E' inutile parlare di un'azienda che fa parlare di se in ogni momento e che tutti ormai conoscono. Questa famosissima industria di hardware e software che si propone sul mercato come una delle più valide alternative al predominio Microsoft nel campo dell'informatica.")},
    }};
    static const CompanyInformation none;
    if (index < 0 || index >= kCompanyInformationCount) {
        return none;
    }
    return entries[static_cast<std::size_t>(index)];
}

} // namespace ui
