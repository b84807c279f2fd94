<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>Uso: tolvstreet [opzioni]
Tolv Street %1, il gioco della borsa.

Il gioco si salva da solo nella cartella in cui gioca: senza opzioni è la
cartella da cui è avviato.

Opzioni:
  --folder CARTELLA  gioca nella CARTELLA (creata se manca, con la Hall of Fame vuota)
  --user-folder      gioca nella cartella dell&apos;utente: $XDG_DATA_HOME/TolvStreet,
                     di solito ~/.local/share/TolvStreet
  -h, --help         mostra questo aiuto ed esce
  -v, --version      mostra la versione ed esce

Valgono anche le opzioni di Qt, come -platform e -style.
</source>
        <translation>Usage: tolvstreet [options]
Tolv Street %1, the stock-market game.

The game saves itself in the folder it plays in: without options, the
folder it was started from.

Options:
  --folder FOLDER    play in FOLDER (created when missing, with an empty Hall of Fame)
  --user-folder      play in the user&apos;s folder: $XDG_DATA_HOME/TolvStreet,
                     usually ~/.local/share/TolvStreet
  -h, --help         show this help and exit
  -v, --version      show the version and exit

Qt&apos;s own options, such as -platform and -style, work too.
</translation>
    </message>
    <message>
        <source>Per l&apos;aiuto: tolvstreet --help</source>
        <translation>For help: tolvstreet --help</translation>
    </message>
    <message>
        <source>mostra l&apos;aiuto</source>
        <translation>show the help</translation>
    </message>
    <message>
        <source>mostra la versione</source>
        <translation>show the version</translation>
    </message>
    <message>
        <source>la cartella di gioco</source>
        <translation>the play folder</translation>
    </message>
    <message>
        <source>CARTELLA</source>
        <translation>FOLDER</translation>
    </message>
    <message>
        <source>la cartella di gioco dell&apos;utente</source>
        <translation>the user&apos;s play folder</translation>
    </message>
    <message>
        <source>Opzione sconosciuta: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Manca la cartella dopo --folder.</source>
        <translation>--folder needs a folder after it.</translation>
    </message>
    <message>
        <source>Argomento non previsto: %1</source>
        <translation>Unexpected argument: %1</translation>
    </message>
    <message>
        <source>--folder si può dare una volta sola.</source>
        <translation>--folder can be given only once.</translation>
    </message>
    <message>
        <source>--folder e --user-folder non vanno insieme: scegline uno.</source>
        <translation>--folder and --user-folder cannot be used together: pick one.</translation>
    </message>
    <message>
        <source>La cartella dopo --folder è vuota.</source>
        <translation>The folder name after --folder is empty.</translation>
    </message>
    <message>
        <source>Non si può giocare in «%1»: non è una cartella.</source>
        <translation>Cannot play in “%1”: it is not a folder.</translation>
    </message>
    <message>
        <source>Non si può creare la cartella di gioco «%1»: %2.</source>
        <translation>Cannot create the play folder “%1”: %2.</translation>
    </message>
    <message>
        <source>Non si può entrare nella cartella di gioco «%1»: %2.</source>
        <translation>Cannot enter the play folder “%1”: %2.</translation>
    </message>
    <message>
        <source>Non si può scrivere la Hall of Fame nella nuova cartella di gioco «%1».</source>
        <translation>Cannot write the Hall of Fame into the new play folder “%1”.</translation>
    </message>
    <message>
        <source>Non si trova la cartella dell&apos;utente.</source>
        <translation>The user&apos;s folder cannot be found.</translation>
    </message>
</context>
<context>
    <name>CompanyInfo</name>
    <message>
        <source>&quot;Tutto liscio come l&apos;olio&quot; è il proverbio preferito di C.J. Tolv, il petroliere tolviano i cui terreni ricchi di petrolio hanno portato la Carloil a diventare la maggiore produttrice di petrolio nel mondo.</source>
        <translation>“Smooth as oil” is the favourite saying of C.J. Tolv, the Tolvian oilman whose oil-rich lands have made Carloil the largest oil producer in the world.</translation>
    </message>
    <message>
        <source>Per terra e per mare questa compagnia di trasporti umani, animali e materiali si occuperà di spostarvi nello spazio-tempo con più spazio e meno tempo. Il suo fiore all&apos;occhiello è l&apos;inaffondabile transatlantico nucleare Tolvanic.</source>
        <translation>By land and by sea, this carrier of people, animals and goods will move you through space-time with more space and less time. Its pride and joy is the unsinkable nuclear ocean liner Tolvanic.</translation>
    </message>
    <message>
        <source>Chi vi darà la musica? Ma la QMT Records naturalmente, una tra le emittenti più potenti e famose dell&apos;Isola di Tolva e la casa discografica più popolare dell&apos;intero Sistema Solare. Oltre ai brani in cima alle Top-Ten di vendita planetarie la QMT Records offre anche numerosi programmi di informazione e d educativi, per esempio &quot;Cosa fare se sei con Tolva e comincia un terremoto&quot;.</source>
        <translation>Who will bring you music? QMT Records, of course: one of the most powerful and famous broadcasters of the Isola di Tolva and the most popular record label in the whole Solar System. Besides the songs at the top of the planetary Top Ten, QMT Records offers many news and educational programmes, such as “What to do if you are with Tolva and an earthquake starts”.</translation>
    </message>
    <message>
        <source>Questa agenzia di moda tolviana si occupa di avviare verso il mondo della moda e dello spettacolo i giovani tolviani intraprendenti, comprendendo tutti i campi, dai servizi fotografici pubblicitari al cinema.</source>
        <translation>This Tolvian fashion agency launches enterprising young Tolvians into the world of fashion and show business, in every field from advertising photo shoots to the cinema.</translation>
    </message>
    <message>
        <source>I vostri guadagni decolleranno con questa agenzia di trasporti aerei. la Tolva Airlines propone personale qualificato che vi tratterà con la massima cortesia, dalla prima classe (la più economica) alla diciassettesima (iperextralusso solo per Tolva).</source>
        <translation>Your earnings will take off with this airline. Tolva Airlines offers skilled staff who will treat you with the utmost courtesy, from first class (the cheapest) to seventeenth class (hyper-extra-luxury, for Tolva only).</translation>
    </message>
    <message>
        <source>Questa compagnia di ricerca medica si occupa di studiare e sperimentare una soluzione sempre migliore alle malattie del nostro pianeta, come ad esempio trovare una cura per quelli che da piccoli hanno visto Tolva senza preavviso.</source>
        <translation>This medical research company studies and tests ever better remedies for the diseases of our planet, such as a cure for those who saw Tolva without warning as children.</translation>
    </message>
    <message>
        <source>Questa compagnia mercantile di antiche tradizioni si fa in quattro per trasportare i prodotti più richiesti dal lontano oriente fino ai negozi dell&apos;Isola di Tolva, compreso il piatto preferito di Tolva: casseoula alla Cantonese.</source>
        <translation>This trading company, with its age-old traditions, bends over backwards to carry the most wanted goods from the Far East to the shops of the Isola di Tolva, including Tolva&apos;s favourite dish: Cantonese-style casseoula.</translation>
    </message>
    <message>
        <source>Una delle migliori squadre del campionato tolviano è sicuramente la scoreggiana che nelle ultime stagioni si è comportata egregiamente riuscendo a conquistarsi un posto in serie V, ritagliandosi anche un posto da protagonista nella prestigiosa Coppa Tolva.</source>
        <translation>One of the best teams in the Tolvian league is surely ScoReggiana, which has done splendidly in recent seasons, winning a place in Serie V and a leading role in the prestigious Coppa Tolva.</translation>
    </message>
    <message>
        <source>Ah, il buon sapore della pastasfoglia di una volta... Se volete ritrovare gli antichi sapori dei biscotti come li faceva la nonna di Tolva dovete comprare i prodotti Mulino Verde, accuratamente selezionati, solo con ingredienti naturali e non geneticamente modificati. Direttamente dai campi vicino alla centrale nucleare di Elsa alle vostre tavole!</source>
        <translation>Ah, the good taste of puff pastry as it used to be... If you want the old flavours of biscuits as Tolva&apos;s grandma made them, buy Mulino Verde products, carefully selected, made only with natural, non-genetically-modified ingredients. Straight from the fields next to Elsa&apos;s nuclear power station to your table!</translation>
    </message>
    <message>
        <source>Una squadra esordiente per la categoria della Formula17 che però è riuscita a vincere per ben due anni consecutivi il campionato costruttori in QMT3000 e che ha tutte le carte in regola per sfidare le sue colleghe più famose.</source>
        <translation>A newcomer to Formula17 that has nevertheless won the QMT3000 constructors&apos; championship two years running and has everything it takes to challenge its more famous rivals.</translation>
    </message>
    <message>
        <source>La Tolvian Aerospace Stupid Agency porterà le vostre azioni sulla luna! Il progetto Spaziale dei prossimi 5 anni prevede la conquista e la colonizzazione di Plutone da parte del popolo tolviano in continua espansione.</source>
        <translation>The Tolvian Aerospace Stupid Agency will send your shares to the moon! Its space programme for the next 5 years plans the conquest and colonisation of Pluto by the ever-growing Tolvian people.</translation>
    </message>
    <message>
        <source>Lo chef Carlettò è uno dei migliori cuochi di questa dimensione parallela e nella sua catena di ristoranti prepara specialità provenienti da ogni parte della galassia come il famoso minestrone di diarrea (con veri pezzi di merda ancora fumanti) e le prelibate e stuzzicanti caccolette marroni.</source>
        <translation>Chef Carlettò is one of the best cooks of this parallel dimension, and his chain of restaurants serves specialities from every corner of the galaxy, such as the famous diarrhoea minestrone (with real pieces of still-steaming shit) and the delicious, tempting little brown droppings.</translation>
    </message>
    <message>
        <source>Chi non ha bisogno di un giornale affidabile per conoscere in tempo reale le quotazioni delle azioni in borsa? Allora leggete il New Tolv Times, primo giornale economico dell&apos;Isola di Tolva.</source>
        <translation>Who doesn&apos;t need a reliable newspaper for real-time share prices on the stock exchange? Then read the New Tolv Times, the leading business newspaper of the Isola di Tolva.</translation>
    </message>
    <message>
        <source>Ecco la fonte principale di energia elettrica per l&apos;Isola di Tolva. Questa centrale nucleare posta nell&apos;interdimensione tra Godia e l&apos;Isola di Tolva è attiva da almeno 17 anni, controllata da Elsa, sempre avvolta da uno strato di nebbia e mistero.</source>
        <translation>Here is the main source of electricity for the Isola di Tolva. This nuclear power station, set in the interdimension between Godia and the Isola di Tolva, has been running for at least 17 years under Elsa&apos;s control, always wrapped in a layer of fog and mystery.</translation>
    </message>
    <message>
        <source>Questo allevatore delle pianure Marroni primeggia nel campo dell&apos; import-export di bestiame ma si vocifera che da tempo stia studiando strane elaborazioni genetiche...</source>
        <translation>This rancher from the Brown Plains leads the field in cattle import-export, but rumour has it that he has long been working on strange genetic experiments...</translation>
    </message>
    <message>
        <source>Milioni di pendolari ogni giorno percorrono la propria tratta che dalla periferia li porta al lavoro in città. Naturalmente utilizzando i treni Tolva Railroad equipaggiati con qualsiasi comfort come carrozze ristorante, piscine riscaltate dotate di idromassaggio e campi da tennis in erba sintetica al coperto.</source>
        <translation>Millions of commuters travel every day from the suburbs to work in the city. On Tolva Railroad trains, of course, equipped with every comfort: dining cars, heated swimming pools with whirlpools and indoor artificial-grass tennis courts.</translation>
    </message>
    <message>
        <source>E&apos; inutile parlare di un&apos;azienda che fa parlare di se in ogni momento e che tutti ormai conoscono. Questa famosissima industria di hardware e software che si propone sul mercato come una delle più valide alternative al predominio Microsoft nel campo dell&apos;informatica.</source>
        <translation>There is no point talking about a company that everybody talks about all the time and everybody already knows. This very famous hardware and software maker presents itself as one of the best alternatives to Microsoft&apos;s dominance in computing.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Disponibilità liquida</source>
        <translation>Available cash</translation>
    </message>
    <message>
        <source>Operazioni disponibili:</source>
        <translation>Trading:</translation>
    </message>
    <message>
        <source>Stock Portfolio</source>
        <translation>Stock Portfolio</translation>
    </message>
    <message>
        <source>Comprare</source>
        <translation>Buy</translation>
    </message>
    <message>
        <source>Vendere</source>
        <translation>Sell</translation>
    </message>
    <message>
        <source>Azioni Aquistate</source>
        <translation>Shares Held</translation>
    </message>
    <message>
        <source>Valore Ieri</source>
        <translation>Yesterday&apos;s Price</translation>
    </message>
    <message>
        <source>Incr.</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Valore Oggi</source>
        <translation>Today&apos;s Price</translation>
    </message>
    <message>
        <source>Informazioni sulla società</source>
        <translation>About this company</translation>
    </message>
    <message>
        <source>Quantità di azioni</source>
        <translation>Number of shares</translation>
    </message>
    <message>
        <source>Cornice della disponibilità liquida</source>
        <translation>Frame around the cash</translation>
    </message>
    <message>
        <source>Simbolo della valuta</source>
        <translation>Currency symbol</translation>
    </message>
    <message>
        <source>Data del gioco: un clic passa al giorno seguente</source>
        <translation>Game date: click to move on to the next day</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Nuova Partita</source>
        <translation>&amp;New Game</translation>
    </message>
    <message>
        <source>&amp;Salva</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Carica</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>&amp;Hall of Fame</source>
        <translation>&amp;Hall of Fame</translation>
    </message>
    <message>
        <source>&amp;Esci</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Opzioni</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Video</source>
        <translation>&amp;Video</translation>
    </message>
    <message>
        <source>&amp;Lingua</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>Informazioni sul &amp;Programma</source>
        <translation>&amp;About Tolv Street</translation>
    </message>
    <message>
        <source>Informazioni sul Pro&amp;duttore</source>
        <translation>About &amp;Tolvagiochi</translation>
    </message>
    <message>
        <source>&amp;Registro</source>
        <translation>&amp;Ledger</translation>
    </message>
    <message>
        <source>&amp;Registro del giocatore</source>
        <translation>&amp;Player&apos;s Ledger</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>Top 10 of Tolv Street</source>
        <translation>Top 10 of Tolv Street</translation>
    </message>
    <message>
        <source>Hall of Fame:</source>
        <translation>Hall of Fame:</translation>
    </message>
    <message>
        <source>Vincitori</source>
        <translation>Winners</translation>
    </message>
</context>
<context>
    <name>PlayLock</name>
    <message>
        <source>Tolv Street è già aperto in questa cartella.</source>
        <translation>Tolv Street is already open in this folder.</translation>
    </message>
    <message>
        <source>Al posto del file &quot;%1&quot; c&apos;è una cartella, un collegamento o un altro oggetto: Tolv Street non può sapere se è già aperto in questa cartella. Toglilo dalla cartella di gioco e riprova.</source>
        <translation>There is a folder, a link or something else where the file “%1” should be: Tolv Street cannot tell whether it is already open in this folder. Remove it from the play folder and try again.</translation>
    </message>
    <message>
        <source>Non è possibile bloccare la cartella di gioco con il file &quot;%1&quot; (%2): un&apos;altra copia di Tolv Street potrebbe giocarvi. La partita continua senza salvare.</source>
        <translation>The play folder cannot be locked with the file “%1” (%2): another copy of Tolv Street might be playing in it. The game goes on without saving.</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
</context>
<context>
    <name>Saver</name>
    <message>
        <source>Il salvataggio della partita non è ancora finito: il disco non risponde.
Se esci senza salvare, resta la partita dell&apos;ultimo salvataggio finito.</source>
        <translation>The game has not finished saving: the disk is not responding.
If you leave without saving, the game stays as it was at the last completed save.</translation>
    </message>
    <message>
        <source>Aspetta</source>
        <translation>Wait</translation>
    </message>
    <message>
        <source>Esci senza salvare</source>
        <translation>Leave without saving</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>Errore</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Non hai abbastanza soldi!</source>
        <translation>You don&apos;t have enough money!</translation>
    </message>
    <message>
        <source>Non puoi vendere più azioni di quelle che hai!</source>
        <translation>You can&apos;t sell more shares than you have!</translation>
    </message>
    <message>
        <source>Solo numeri interi!</source>
        <translation>Whole numbers only!</translation>
    </message>
    <message>
        <source>Questa società è fallita: le sue azioni non si possono più comprare né vendere.</source>
        <translation>This company has failed: its shares can no longer be bought or sold.</translation>
    </message>
    <message>
        <source>La disponibilità liquida non è un numero valido: l&apos;operazione è annullata.</source>
        <translation>The available cash is not a valid number: the trade is cancelled.</translation>
    </message>
    <message>
        <source>Il valore di questa società non è un numero valido: l&apos;operazione è annullata.</source>
        <translation>This company&apos;s price is not a valid number: the trade is cancelled.</translation>
    </message>
    <message>
        <source>Le azioni acquistate di questa società non sono un numero valido: l&apos;operazione è annullata.</source>
        <translation>The number of shares held in this company is not valid: the trade is cancelled.</translation>
    </message>
    <message>
        <source>Hai decuplicato i tuoi soldi e sei il nuovo campione di Tolv Street! Inserisci il tuo nome</source>
        <translation>You have multiplied your money tenfold and you are the new champion of Tolv Street! Enter your name:</translation>
    </message>
    <message>
        <source>HAI VINTO !!!!</source>
        <translation>YOU WON!!!!</translation>
    </message>
    <message>
        <source>Questo gioco salva da solo!</source>
        <translation>This game saves itself!</translation>
    </message>
    <message>
        <source>Se salva da solo vuol dire anche che carica da solo!!</source>
        <translation>If it saves itself, it loads itself too!!</translation>
    </message>
    <message>
        <source>Ma sei sicuro di uscire da questo APPASSIONANTISSIMO gioco?</source>
        <translation>Are you really sure you want to leave this SUPER-EXCITING game?</translation>
    </message>
    <message>
        <source>Uscita dal Programma</source>
        <translation>Exit Game</translation>
    </message>
    <message>
        <source>il disco è pieno</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>errore di scrittura nella cartella di gioco</source>
        <translation>error writing to the play folder</translation>
    </message>
    <message>
        <source>la cartella di gioco non permette di scrivere il file &quot;%1&quot;</source>
        <translation>the play folder does not allow the file “%1” to be written</translation>
    </message>
    <message>
        <source>il disco è pieno (file &quot;%1&quot;)</source>
        <translation>the disk is full (file “%1”)</translation>
    </message>
    <message>
        <source>al posto del file &quot;%1&quot; c&apos;è una cartella o un altro oggetto</source>
        <translation>there is a folder or something else where the file “%1” should be</translation>
    </message>
    <message>
        <source>il file &quot;%1&quot; non si trova</source>
        <translation>the file “%1” cannot be found</translation>
    </message>
    <message>
        <source>il file &quot;%1&quot; è troppo grande per essere un file del gioco</source>
        <translation>the file “%1” is too large to be a game file</translation>
    </message>
    <message>
        <source>errore di scrittura del file &quot;%1&quot;</source>
        <translation>error writing the file “%1”</translation>
    </message>
    <message>
        <source>manca</source>
        <translation>is missing</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>contiene una riga non valida</source>
        <translation>has an invalid line</translation>
    </message>
    <message>
        <source>è incompleto</source>
        <translation>is incomplete</translation>
    </message>
    <message>
        <source>contiene un valore che non è un numero</source>
        <translation>has a value that is not a number</translation>
    </message>
    <message>
        <source>non contiene una data valida</source>
        <translation>has no valid date</translation>
    </message>
    <message>
        <source>è troppo grande per essere un file del gioco</source>
        <translation>is too large to be a game file</translation>
    </message>
    <message>
        <source>contiene un valore troppo lungo</source>
        <translation>has a value that is too long</translation>
    </message>
    <message>
        <source>&quot;%1&quot; come &quot;%2&quot;</source>
        <translation>“%1” as “%2”</translation>
    </message>
    <message>
        <source>Non è stato possibile conservarne una copia (%1): la partita non viene salvata finché non si potrà farlo.
</source>
        <translation>No copy of them could be kept (%1): the game will not be saved until one can be.
</translation>
    </message>
    <message>
        <source>Sono stati conservati: %1.
</source>
        <translation>Kept aside: %1.
</translation>
    </message>
    <message>
        <source>Non è stato possibile leggere il salvataggio interrotto (%1): i file della partita potrebbero essere di due giorni diversi.
%2Inizia una nuova partita.</source>
        <translation>The interrupted save could not be read (%1): the game files may be from two different days.
%2A new game starts.</translation>
    </message>
    <message>
        <source>Non è stato possibile completare un salvataggio interrotto (%1).
La partita continua da quel salvataggio; il prossimo salvataggio riproverà.</source>
        <translation>An interrupted save could not be completed (%1).
The game goes on from that save; the next save will try again.</translation>
    </message>
    <message>
        <source>Non è stato possibile completare un salvataggio interrotto (%1).</source>
        <translation>An interrupted save could not be completed (%1).</translation>
    </message>
    <message>
        <source>Un avvio precedente si è interrotto mentre conservava i file danneggiati della partita: sono conservati con il numero %1 (come &quot;Data1.bak%1&quot;).
Inizia una nuova partita.</source>
        <translation>An earlier start was interrupted while setting the game&apos;s damaged files aside: they are kept under the number %1 (as in “Data1.bak%1”).
A new game starts.</translation>
    </message>
    <message>
        <source>I file della partita salvata sono danneggiati: %1.
%2Inizia una nuova partita.</source>
        <translation>The saved game is damaged: %1.
%2A new game starts.</translation>
    </message>
    <message>
        <source>Non è stato possibile conservare una copia dei file danneggiati (%1): la partita non viene salvata finché non si potrà farlo.
Il gioco continua; il prossimo salvataggio riproverà.</source>
        <translation>No copy of the damaged files could be kept (%1): the game will not be saved until one can be.
Play goes on; the next save will try again.</translation>
    </message>
    <message>
        <source>Non è stato possibile salvare la partita: la Hall of Fame (&quot;%1&quot;) è troppo grande per un salvataggio sicuro.
Il gioco continua; il prossimo salvataggio riproverà.</source>
        <translation>The game could not be saved: the Hall of Fame (“%1”) is too large for a safe save.
Play goes on; the next save will try again.</translation>
    </message>
    <message>
        <source>Non è stato possibile salvare la partita: %1.
Il gioco continua; il prossimo salvataggio riproverà.</source>
        <translation>The game could not be saved: %1.
Play goes on; the next save will try again.</translation>
    </message>
    <message>
        <source>La data del gioco non è valida: il giorno non può avanzare.</source>
        <translation>The game date is not valid: the day cannot move on.</translation>
    </message>
    <message>
        <source>Il calendario del gioco finisce il 31 Dic 32767: il giorno non può avanzare oltre.</source>
        <translation>The game calendar ends on 31 Dic 32767: the day cannot move on any further.</translation>
    </message>
    <message>
        <source>Il valore di &quot;%1&quot; non è un numero valido: il giorno non può avanzare.</source>
        <translation>The price of “%1” is not a valid number: the day cannot move on.</translation>
    </message>
    <message>
        <source>Non è stato possibile leggere la Hall of Fame (%1): questa vittoria non vi sarà registrata.</source>
        <translation>The Hall of Fame could not be read (%1): this win will not be recorded in it.</translation>
    </message>
    <message>
        <source>La Hall of Fame (&quot;%1&quot;) non era nel formato del gioco: una sua copia è conservata come &quot;%2&quot;.</source>
        <translation>The Hall of Fame (“%1”) was not in the game&apos;s format: a copy of it is kept as “%2”.</translation>
    </message>
    <message>
        <source>Al posto della Hall of Fame (&quot;%1&quot;) c&apos;era un collegamento: la nuova Hall of Fame ne prende il posto, e il file a cui portava resta com&apos;è.</source>
        <translation>There was a link where the Hall of Fame (“%1”) should be: the new Hall of Fame takes its place, and the file it pointed to is left as it is.</translation>
    </message>
    <message>
        <source>la cartella di gioco non è bloccata per questa partita, che continua senza salvare</source>
        <translation>the play folder is not locked for this game, which goes on without saving</translation>
    </message>
    <message>
        <source>la cartella di gioco non c&apos;è più</source>
        <translation>the play folder is no longer there</translation>
    </message>
    <message>
        <source>Al posto del file &quot;%1&quot;, dove il gioco tiene i salvataggi in corso, c&apos;era un file che non è del gioco.
%2</source>
        <translation>The file “%1”, where the game keeps its unfinished saves, was not one of the game&apos;s own.
%2</translation>
    </message>
    <message>
        <source>I numeri per conservare i file del gioco sono arrivati al massimo: il file è conservato come &quot;%1&quot;, il primo numero libero.</source>
        <translation>The backup numbers have reached their limit: the file is kept as “%1”, the lowest free number.</translation>
    </message>
</context>
<context>
    <name>app</name>
    <message>
        <source>Versione %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Un gioco di borsa di Tolvagiochi</source>
        <translation>A stock-market game by Tolvagiochi</translation>
    </message>
    <message>
        <source>Avviso: non adatto ai bambini sotto i 36 mesi. Se durante il gioco siete connessi ad internet o LAN locale potreste perdere realmente i vostri soldi che saranno devoluti al buon milanese</source>
        <translation>Warning: not suitable for children under 36 months. If you are connected to the internet or a local network while playing, you could lose real money, which will be donated to the good Milanese</translation>
    </message>
    <message>
        <source>Le informazioni sul sistema non sono disponibili in questa fase</source>
        <translation>System information is not available at this time</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Distribuito solo agli abitanti dell&apos;Isola di Tolva e ai loro amici</source>
        <translation>Distributed only to the inhabitants of the Isola di Tolva and their friends</translation>
    </message>
    <message>
        <source>Tolvagiochi presenta</source>
        <translation>Tolvagiochi presents</translation>
    </message>
    <message>
        <source>Nessun tolviano è stato maltrattato per fare questo gioco.</source>
        <translation>No Tolvian was harmed in the making of this game.</translation>
    </message>
</context>
<context>
    <name>ui::LedgerWindow</name>
    <message>
        <source>Il costo di queste azioni non è noto: il gioco è andato avanti senza il registro (salvataggi di una versione precedente o file rimessi a mano). Torna noto quando le azioni della società scendono a zero.</source>
        <translation>The cost of these shares is not known: the game went on without the ledger (saves of an earlier release, or files put back by hand). It becomes known again once your holding in the company goes down to zero.</translation>
    </message>
    <message>
        <source>Giorno</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Data ISO</source>
        <translation>ISO date</translation>
    </message>
    <message>
        <source>Operazione</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Società</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Quantità</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Prezzo</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Importo</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>Guadagno realizzato</source>
        <translation>Realised gain</translation>
    </message>
    <message>
        <source>Acquisto</source>
        <translation>Purchase</translation>
    </message>
    <message>
        <source>Vendita</source>
        <translation>Sale</translation>
    </message>
    <message>
        <source>Patrimonio netto</source>
        <translation>Net worth</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>Fallita</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>dopo un&apos;interruzione</source>
        <translation>after a break</translation>
    </message>
    <message>
        <source>vittoria</source>
        <translation>win</translation>
    </message>
    <message>
        <source>Vittoria: il portafoglio si chiude con %1</source>
        <translation>Win: the portfolio closes with %1</translation>
    </message>
    <message>
        <source>Acquisto di %1 %2 a %3: %4</source>
        <translation>Bought %1 %2 at %3: %4</translation>
    </message>
    <message>
        <source>Vendita di %1 %2 a %3: %4</source>
        <translation>Sold %1 %2 at %3: %4</translation>
    </message>
    <message numerus="yes">
        <source>%n società</source>
        <translation>
            <numerusform>%n company</numerusform>
            <numerusform>%n companies</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Portafoglio</source>
        <translation>&amp;Holdings</translation>
    </message>
    <message>
        <source>Patrimonio &amp;netto</source>
        <translation>&amp;Net worth</translation>
    </message>
    <message>
        <source>P&amp;rezzi</source>
        <translation>P&amp;rices</translation>
    </message>
    <message>
        <source>&amp;Operazioni</source>
        <translation>&amp;Trades</translation>
    </message>
    <message>
        <source>&amp;Statistiche</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>Partite &amp;finite</source>
        <translation>&amp;Finished games</translation>
    </message>
    <message>
        <source>Schede del registro</source>
        <translation>Ledger pages</translation>
    </message>
    <message>
        <source>&amp;Torna alla partita in corso</source>
        <translation>&amp;Back to the current game</translation>
    </message>
    <message>
        <source>&amp;Esporta in CSV</source>
        <translation>&amp;Export to CSV</translation>
    </message>
    <message>
        <source>I &amp;titoli posseduti...</source>
        <translation>&amp;Holdings...</translation>
    </message>
    <message>
        <source>Le &amp;operazioni...</source>
        <translation>&amp;Trades...</translation>
    </message>
    <message>
        <source>La &amp;cronologia del patrimonio e dei prezzi...</source>
        <translation>Net &amp;worth and price history...</translation>
    </message>
    <message>
        <source>Registro del giocatore</source>
        <translation>Player&apos;s Ledger</translation>
    </message>
    <message>
        <source>%1: partita finita n. %2</source>
        <translation>%1: finished game no. %2</translation>
    </message>
    <message>
        <source>Stai guardando la partita finita n. %1 («%2»), dal %3 al %4: sola lettura. La partita in corso va avanti intanto.</source>
        <translation>You are viewing finished game no. %1 (“%2”), from %3 to %4, read-only. The current game carries on in the meantime.</translation>
    </message>
    <message>
        <source>Patrimonio finale</source>
        <translation>Final net worth</translation>
    </message>
    <message>
        <source>%1 dall&apos;inizio</source>
        <translation>%1 since the start</translation>
    </message>
    <message>
        <source>Giorni</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>Vittorie</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>%1 · giorno %2 · portafoglio n. %3</source>
        <translation>%1 · day %2 · portfolio no. %3</translation>
    </message>
    <message>
        <source>%1 (%2) da ieri</source>
        <translation>%1 (%2) since yesterday</translation>
    </message>
    <message>
        <source>primo giorno di questo portafoglio</source>
        <translation>first day of this portfolio</translation>
    </message>
    <message>
        <source>Liquidità</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>%1 (%2) non realizzato</source>
        <translation>%1 (%2) unrealised</translation>
    </message>
    <message numerus="yes">
        <source>(senza %n società di costo non noto)</source>
        <translation>
            <numerusform>(leaving out %n company of unknown cost)</numerusform>
            <numerusform>(leaving out %n companies of unknown cost)</numerusform>
        </translation>
    </message>
    <message>
        <source>Titoli</source>
        <translation>Holdings</translation>
    </message>
    <message>
        <source>in questo portafoglio</source>
        <translation>in this portfolio</translation>
    </message>
    <message>
        <source>(vendite di costo non noto escluse: %1)</source>
        <translation>(sales of unknown cost left out: %1)</translation>
    </message>
    <message>
        <source>Verso i %1 che vincono: %2</source>
        <translation>Progress to the winning %1: %2</translation>
    </message>
    <message>
        <source>%1 verso la vittoria</source>
        <translation>%1 of the way to a win</translation>
    </message>
    <message>
        <source>La cronologia inizia dal %1: i salvataggi precedenti non la contenevano.</source>
        <translation>The history starts on %1: earlier saves did not record it.</translation>
    </message>
    <message>
        <source>Il registro salvato era danneggiato o non era del gioco: è conservato come «%1» e la cronologia riparte dal %2.</source>
        <translation>The saved ledger was damaged or not the game&apos;s: it is kept as “%1” and the history starts again from %2.</translation>
    </message>
    <message>
        <source>I file della partita sono andati avanti senza il registro: la cronologia ha un&apos;interruzione e riprende dal %1.</source>
        <translation>The game&apos;s files moved on without the ledger: the history has a break and resumes on %1.</translation>
    </message>
    <message>
        <source>Il registro non si può salvare nella cartella di gioco: vale solo finché il gioco resta aperto.</source>
        <translation>The ledger cannot be saved in the play folder: it lasts only while the game stays open.</translation>
    </message>
    <message>
        <source>Il registro della partita finita è conservato come «%1» nella cartella di gioco: lo trovi nella scheda «Partite finite».</source>
        <translation>The finished game&apos;s ledger is kept as “%1” in the play folder: you will find it under “Finished games”.</translation>
    </message>
    <message>
        <source>Azioni</source>
        <translation>Shares</translation>
    </message>
    <message>
        <source>Costo medio</source>
        <translation>Average cost</translation>
    </message>
    <message>
        <source>Costo totale</source>
        <translation>Total cost</translation>
    </message>
    <message>
        <source>Valore di mercato</source>
        <translation>Market value</translation>
    </message>
    <message>
        <source>Guadagno o perdita</source>
        <translation>Gain or loss</translation>
    </message>
    <message>
        <source>Guadagno %</source>
        <translation>Gain %</translation>
    </message>
    <message>
        <source>Totale</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Non è stato possibile scrivere il file «%1»: %2.</source>
        <translation>The file “%1” could not be written: %2.</translation>
    </message>
    <message>
        <source>Esporta i titoli posseduti</source>
        <translation>Export the holdings</translation>
    </message>
    <message>
        <source>titoli</source>
        <translation>holdings</translation>
    </message>
    <message>
        <source>Esporta le operazioni</source>
        <translation>Export the trades</translation>
    </message>
    <message>
        <source>operazioni</source>
        <translation>trades</translation>
    </message>
    <message>
        <source>Esporta la cronologia</source>
        <translation>Export the history</translation>
    </message>
    <message>
        <source>cronologia</source>
        <translation>history</translation>
    </message>
    <message>
        <source>partita%1-%2</source>
        <translation>game%1-%2</translation>
    </message>
    <message>
        <source>File CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>ultima vittoria il %1</source>
        <translation>last win on %1</translation>
    </message>
</context>
<context>
    <name>ui::TimeChart</name>
    <message>
        <source>Acquisto</source>
        <translation>Purchase</translation>
    </message>
    <message>
        <source>Vendita</source>
        <translation>Sale</translation>
    </message>
    <message>
        <source>Vittoria</source>
        <translation>Win</translation>
    </message>
    <message>
        <source>Grafico</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Variazione dal %1</source>
        <translation>Change since %1</translation>
    </message>
    <message>
        <source>Nessun giorno da mostrare</source>
        <translation>No days to show</translation>
    </message>
    <message>
        <source>Nessun giorno da mostrare.</source>
        <translation>No days to show.</translation>
    </message>
    <message>
        <source>Il %1.</source>
        <translation>On %1.</translation>
    </message>
    <message>
        <source>Dal %1 al %2, %3 giorni.</source>
        <translation>From %1 to %2, %3 days.</translation>
    </message>
    <message>
        <source>Variazione percentuale dal primo giorno mostrato.</source>
        <translation>Percentage change since the first day shown.</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>%1: nessun valore.</source>
        <translation>%1: no value.</translation>
    </message>
    <message>
        <source>%1: primo %2, ultimo %3, massimo %4 il %5, minimo %6 il %7.</source>
        <translation>%1: first %2, last %3, highest %4 on %5, lowest %6 on %7.</translation>
    </message>
    <message>
        <source>Acquisti: %1.</source>
        <translation>Purchases: %1.</translation>
    </message>
    <message>
        <source>Vendite: %1.</source>
        <translation>Sales: %1.</translation>
    </message>
    <message>
        <source>Vittorie: %1.</source>
        <translation>Wins: %1.</translation>
    </message>
    <message>
        <source>Interruzioni della cronologia: %1.</source>
        <translation>Breaks in the history: %1.</translation>
    </message>
</context>
<context>
    <name>ui::TimeChartRanges</name>
    <message>
        <source>30 giorni</source>
        <translation>30 days</translation>
    </message>
    <message>
        <source>1 anno</source>
        <translation>1 year</translation>
    </message>
    <message>
        <source>Tutto</source>
        <translation>All</translation>
    </message>
</context>
<context>
    <name>ui::frmAbout</name>
    <message>
        <source>Informazioni su %1 %2.%3</source>
        <translation>About %1 %2.%3</translation>
    </message>
</context>
<context>
    <name>ui::ledger::FinishedPage</name>
    <message>
        <source>&amp;Apri in sola lettura</source>
        <translation>&amp;Open read-only</translation>
    </message>
    <message>
        <source>Partite finite</source>
        <translation>Finished games</translation>
    </message>
    <message>
        <source>in lettura…</source>
        <translation>reading…</translation>
    </message>
    <message>
        <source>non c&apos;è più</source>
        <translation>no longer there</translation>
    </message>
    <message>
        <source>non è un file (un collegamento, una cartella…): non viene letto</source>
        <translation>not a file (a link, a folder…): not read</translation>
    </message>
    <message>
        <source>più grande di qualsiasi registro del gioco: non viene letto</source>
        <translation>larger than any ledger the game writes: not read</translation>
    </message>
    <message>
        <source>danneggiato alla riga %1</source>
        <translation>damaged at line %1</translation>
    </message>
    <message>
        <source>non si può leggere: %1</source>
        <translation>cannot be read: %1</translation>
    </message>
    <message>
        <source>Apertura della partita finita n. %1…</source>
        <translation>Opening finished game no. %1…</translation>
    </message>
    <message>
        <source>La partita finita n. %1 (%2) non si può aprire: %3.</source>
        <translation>Finished game no. %1 (%2) cannot be opened: %3.</translation>
    </message>
    <message>
        <source>N.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Inizio</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Giorni</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>Vittorie</source>
        <translation>Wins</translation>
    </message>
    <message>
        <source>Patrimonio finale</source>
        <translation>Final net worth</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Stato</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Lettura dell&apos;elenco delle partite finite…</source>
        <translation>Reading the list of finished games…</translation>
    </message>
    <message>
        <source>La cartella di gioco non si può leggere: %1</source>
        <translation>The play folder cannot be read: %1</translation>
    </message>
    <message>
        <source>Nessuna partita finita in questa cartella. Quando inizi una nuova partita («Nuova Partita», F2), il registro di quella finita è conservato qui.</source>
        <translation>No finished games in this folder. When you start a new game (“New Game”, F2), the finished game&apos;s ledger is kept here.</translation>
    </message>
    <message>
        <source>Partite finite in questa cartella: %1. Scegline una e premi «Apri in sola lettura» (o Invio) per guardarla al posto della partita in corso.</source>
        <translation>Finished games in this folder: %1. Pick one and press “Open read-only” (or Enter) to view it instead of the current game.</translation>
    </message>
    <message>
        <source>Ne restano da leggere %1.</source>
        <translation>%1 still to read.</translation>
    </message>
</context>
<context>
    <name>ui::ledger::HoldingsPage</name>
    <message>
        <source>Titoli posseduti</source>
        <translation>Holdings</translation>
    </message>
    <message>
        <source>Società</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Totale</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Totale (senza %1 di costo non noto)</source>
        <translation>Total (leaving out %1 of unknown cost)</translation>
    </message>
    <message>
        <source>Azioni</source>
        <translation>Shares</translation>
    </message>
    <message>
        <source>Prezzo</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Costo medio</source>
        <translation>Average cost</translation>
    </message>
    <message>
        <source>Costo medio di un&apos;azione</source>
        <translation>Average cost of one share</translation>
    </message>
    <message>
        <source>Costo</source>
        <translation>Cost</translation>
    </message>
    <message>
        <source>Costo totale: la liquidità che gli acquisti di queste azioni hanno preso</source>
        <translation>Total cost: the cash spent buying these shares</translation>
    </message>
    <message>
        <source>Valore</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Valore di mercato: le azioni al prezzo di oggi</source>
        <translation>Market value: the shares at today&apos;s price</translation>
    </message>
    <message>
        <source>Guadagno</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Guadagno o perdita non realizzato: il valore meno il costo</source>
        <translation>Unrealised gain or loss: the value less the cost</translation>
    </message>
    <message>
        <source>Guadagno %</source>
        <translation>Gain %</translation>
    </message>
    <message>
        <source>Peso</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>La parte del valore di tutti i titoli</source>
        <translation>Share of the total value of all holdings</translation>
    </message>
    <message>
        <source>Hai vinto il %1 con %2: il portafoglio riparte da %3 di liquidità.</source>
        <translation>You won on %1 with %2: the portfolio starts again with %3 in cash.</translation>
    </message>
    <message>
        <source>Non possiedi azioni. Per comprarne, scegli una società nella finestra del gioco, scrivi la quantità e premi «Comprare».</source>
        <translation>You hold no shares. To buy some, pick a company in the game&apos;s window, type a quantity and press “Buy”.</translation>
    </message>
    <message>
        <source>La partita è finita senza azioni in portafoglio.</source>
        <translation>The game ended with no shares held.</translation>
    </message>
</context>
<context>
    <name>ui::ledger::PricesPage</name>
    <message>
        <source>Società da mostrare</source>
        <translation>Companies to show</translation>
    </message>
    <message>
        <source>Spazio aggiunge o toglie una società; Invio o un doppio clic la mostra da sola.</source>
        <translation>Space adds or removes a company; Enter or a double click shows it alone.</translation>
    </message>
    <message>
        <source>Grafico dei prezzi</source>
        <translation>Price chart</translation>
    </message>
    <message>
        <source>Cronologia dei prezzi</source>
        <translation>Price history</translation>
    </message>
    <message>
        <source>Scegli una o più società nell&apos;elenco: spazio la segna o la toglie.</source>
        <translation>Pick one or more companies in the list: Space ticks or unticks one.</translation>
    </message>
    <message>
        <source>Prezzo</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Fallita</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Variazione %</source>
        <translation>Change %</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>acquisto di %1</source>
        <translation>bought %1</translation>
    </message>
    <message>
        <source>vendita di %1</source>
        <translation>sold %1</translation>
    </message>
    <message>
        <source>So&amp;cietà da mostrare:</source>
        <translation>&amp;Companies to show:</translation>
    </message>
    <message>
        <source>V&amp;ariazione percentuale</source>
        <translation>Percentage chan&amp;ge</translation>
    </message>
</context>
<context>
    <name>ui::ledger::StatisticsPage</name>
    <message>
        <source>Questo portafoglio</source>
        <translation>This portfolio</translation>
    </message>
    <message>
        <source>Tutta la partita</source>
        <translation>The whole game</translation>
    </message>
    <message>
        <source>Tempo di possesso di ogni società</source>
        <translation>Days each company was held</translation>
    </message>
    <message>
        <source>Inizio:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Patrimonio netto:</source>
        <translation>Net worth:</translation>
    </message>
    <message>
        <source>Rendimento:</source>
        <translation>Return:</translation>
    </message>
    <message>
        <source>Ribasso massimo:</source>
        <translation>Largest fall:</translation>
    </message>
    <message>
        <source>Giorno migliore:</source>
        <translation>Best day:</translation>
    </message>
    <message>
        <source>Giorno peggiore:</source>
        <translation>Worst day:</translation>
    </message>
    <message>
        <source>Vendite:</source>
        <translation>Sales:</translation>
    </message>
    <message>
        <source>Guadagno realizzato:</source>
        <translation>Realised gain:</translation>
    </message>
    <message>
        <source>Operazioni:</source>
        <translation>Trades:</translation>
    </message>
    <message>
        <source>Giorni:</source>
        <translation>Days:</translation>
    </message>
    <message>
        <source>Verso i %1 che vincono:</source>
        <translation>Progress to %1:</translation>
    </message>
    <message>
        <source>Giorni giocati:</source>
        <translation>Days played:</translation>
    </message>
    <message>
        <source>Vittorie:</source>
        <translation>Wins:</translation>
    </message>
    <message>
        <source>Vendita migliore:</source>
        <translation>Best sale:</translation>
    </message>
    <message>
        <source>Vendita peggiore:</source>
        <translation>Worst sale:</translation>
    </message>
    <message>
        <source>Patrimonio netto più alto:</source>
        <translation>Highest net worth:</translation>
    </message>
    <message>
        <source>n. %1: dal %2, in corso</source>
        <translation>no. %1: since %2, current</translation>
    </message>
    <message>
        <source>n. %1: dal %2 al %3, chiuso da una vittoria</source>
        <translation>no. %1: %2 to %3, closed by a win</translation>
    </message>
    <message>
        <source>n. %1: dal %2 al %3, chiuso da un&apos;interruzione</source>
        <translation>no. %1: %2 to %3, closed by a break</translation>
    </message>
    <message>
        <source>n. %1: dal %2 al %3, fino alla fine della partita</source>
        <translation>no. %1: %2 to %3, to the end of the game</translation>
    </message>
    <message>
        <source>Il registro non ha ancora nessun giorno.</source>
        <translation>The ledger has no days yet.</translation>
    </message>
    <message>
        <source>Il portafoglio è appena ripartito dopo una vittoria: le sue cifre cominciano dal prossimo giorno. Le vittorie e il portafoglio chiuso sono qui sotto e nell&apos;elenco dei portafogli.</source>
        <translation>The portfolio has just started again after a win: its figures begin with the next day. The wins are below, and the closed portfolio is in the list of portfolios.</translation>
    </message>
    <message>
        <source>Questo portafoglio comincia dopo un&apos;interruzione del registro: le azioni che aveva allora non hanno un costo noto.</source>
        <translation>This portfolio begins after a break in the ledger: the shares it held then have no known cost.</translation>
    </message>
    <message>
        <source>dopo la vittoria del %1, con %2</source>
        <translation>after the win of %1, with %2</translation>
    </message>
    <message>
        <source>%1, con %2</source>
        <translation>%1, with %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Verso i %1 che vincono: %2</source>
        <translation>Progress to the winning %1: %2</translation>
    </message>
    <message>
        <source>%1 (%2), dal massimo del %3 al minimo del %4</source>
        <translation>%1 (%2), from the peak on %3 to the low on %4</translation>
    </message>
    <message>
        <source>nessuno: il patrimonio netto non è mai sceso sotto un massimo precedente</source>
        <translation>none: net worth never fell below an earlier peak</translation>
    </message>
    <message>
        <source>%1 il %2</source>
        <translation>%1 on %2</translation>
    </message>
    <message>
        <source>serve almeno un secondo giorno nel portafoglio</source>
        <translation>not until the portfolio&apos;s second day</translation>
    </message>
    <message>
        <source>nessuna con un costo noto</source>
        <translation>none with a known cost</translation>
    </message>
    <message>
        <source>%1 in guadagno, %2 in perdita, %3 in pari</source>
        <translation>%1 at a gain, %2 at a loss, %3 at break-even</translation>
    </message>
    <message>
        <source>(vendite di costo non noto, escluse dai conti: %1)</source>
        <translation>(sales of unknown cost, left out of the counts: %1)</translation>
    </message>
    <message>
        <source>Società</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Giorni</source>
        <translation>Days</translation>
    </message>
    <message>
        <source>%1. il %2, con %3</source>
        <translation>%1. on %2, with %3</translation>
    </message>
    <message>
        <source>nessuna ancora</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1 dalla vendita di %2 %3 il %4</source>
        <translation>%1 from selling %2 %3 on %4</translation>
    </message>
    <message>
        <source>Portafoglio &amp;da guardare:</source>
        <translation>Portfolio to &amp;view:</translation>
    </message>
    <message>
        <source>Tempo di possesso di o&amp;gni società:</source>
        <translation>&amp;Days each company was held:</translation>
    </message>
    <message>
        <source>La parte dei giorni del portafoglio in cui la società è stata posseduta</source>
        <translation>Share of the portfolio&apos;s days on which the company was held</translation>
    </message>
    <message>
        <source>%1 in tutto; le ultime %2:</source>
        <translation>%1 in all; the latest %2:</translation>
    </message>
    <message>
        <source>nessuna</source>
        <translation>none</translation>
    </message>
</context>
<context>
    <name>ui::ledger::TradesPage</name>
    <message>
        <source>Operazioni</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>Operazione</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Acquisto</source>
        <translation>Purchase</translation>
    </message>
    <message>
        <source>Vendita</source>
        <translation>Sale</translation>
    </message>
    <message>
        <source>Società</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>Quantità</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Prezzo</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>Importo</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>%1 × %2 fa %3</source>
        <translation>%1 × %2 = %3</translation>
    </message>
    <message>
        <source>L&apos;acquisto è costato %1 (%2): prima di ogni operazione il gioco arrotonda la liquidità all&apos;unità, e dopo la tronca ai centesimi.</source>
        <translation>The purchase cost %1 (%2): before each trade the game rounds the cash to a whole number, and afterwards truncates it to two decimal places.</translation>
    </message>
    <message>
        <source>La vendita ha reso %1 (%2): prima di ogni operazione il gioco arrotonda la liquidità all&apos;unità, e dopo la tronca ai centesimi.</source>
        <translation>The sale brought in %1 (%2): before each trade the game rounds the cash to a whole number, and afterwards truncates it to two decimal places.</translation>
    </message>
    <message>
        <source>Liquidità dopo</source>
        <translation>Cash after</translation>
    </message>
    <message>
        <source>Realizzato</source>
        <translation>Realised</translation>
    </message>
    <message>
        <source>Guadagno realizzato: quanto la vendita ha reso meno il costo medio delle azioni vendute</source>
        <translation>Realised gain: what the sale brought in, less the average cost of the shares sold</translation>
    </message>
    <message>
        <source>Nessuna operazione ancora: ogni acquisto e ogni vendita compaiono qui appena li fai, con il guadagno realizzato delle vendite.</source>
        <translation>No trades yet: every purchase and sale appears here as soon as you make it, with the realised gain of each sale.</translation>
    </message>
    <message>
        <source>In questa partita non è stata fatta nessuna operazione.</source>
        <translation>No trades were made in this game.</translation>
    </message>
</context>
<context>
    <name>ui::ledger::WorthPage</name>
    <message>
        <source>&amp;Variazione percentuale</source>
        <translation>&amp;Percentage change</translation>
    </message>
    <message>
        <source>Grafico del patrimonio netto</source>
        <translation>Net worth chart</translation>
    </message>
    <message>
        <source>Cronologia del patrimonio netto</source>
        <translation>Net worth history</translation>
    </message>
    <message>
        <source>La linea del grafico comincia dal secondo giorno: premi il pulsante della data nella finestra del gioco per andare avanti.</source>
        <translation>The chart&apos;s line begins on the second day: press the date button in the game&apos;s window to move on.</translation>
    </message>
    <message>
        <source>Patrimonio netto</source>
        <translation>Net worth</translation>
    </message>
    <message>
        <source>Variazione</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Nessuna variazione: è il primo giorno di un portafoglio (l&apos;inizio, dopo una vittoria o dopo un&apos;interruzione).</source>
        <translation>No change: this is a portfolio&apos;s first day (the start of the game, or after a win or a break).</translation>
    </message>
    <message>
        <source>Var. %</source>
        <translation>Change %</translation>
    </message>
    <message>
        <source>Variazione percentuale dal giorno prima</source>
        <translation>Percentage change from the day before</translation>
    </message>
    <message>
        <source>Liquidità</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>Operazioni</source>
        <translation>Trades</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>dopo un&apos;interruzione</source>
        <translation>after a break</translation>
    </message>
    <message>
        <source>vittoria</source>
        <translation>win</translation>
    </message>
</context>
</TS>
