#include "ui/shell/RapportLot.h"

#include "engine/Globaux.h"
#include "engine/afc/ExportAFC.h"
#include "engine/afc/Programmes.h"
#include "engine/corpus/Cles.h"
#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/CalculSegments.h"
#include "engine/explore/ParamSR.h"
#include "engine/rapport/Manifeste.h"
#include "engine/rapport/Rapport.h"
#include "engine/segmentation/CreationBase.h"
#include "engine/socle/Cp1252.h"
#include "engine/stats/CalcSpecTot.h"
#include "ui/afc/ExecutionProgramme.h"
#include "ui/afc/LancementsAFC.h"
#include "ui/afc/PlanAFC.h"
#include "ui/afc/TFenDendrogramme.h"
#include "ui/afc/TFenGrapheAFC.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/explore/TfrmSR.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/ExportTableau.h"
#include "ui/shell/ManifesteRapport.h"
#include "ui/shell/ServicesLot.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/LancementsSpecificites.h"
#include "ui/stats/TFenGrapheTgen.h"
#include "ui/stats/TFenSpecGrp.h"
#include "ui/stats/TFenStatPart.h"

#include <QApplication>
#include <QChartView>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace t3ui {

namespace {

// --- The command line

struct ParametresLot {
    QString source; // the .par or the text
    QString cle;
    QString dossier; // empty: the default folder
    int32_t seuil = t3::Partition::SeuilInitial;
    int32_t freqMin = t3::Partition::FreqMinInitiale;
    int32_t seuilSegments = -1; // -1: the workbench's default for the base
    int32_t ventilation = 5;
    bool afc = false;
};

constexpr int SortieEchec = 1;
constexpr int SortieArguments = 2;

void Ecrit(const QString& message) {
    std::fprintf(stderr, "tessaron3 : %s\n", message.toUtf8().constData());
}

// The integer of an option, within [min, max]; the French fault otherwise.
std::optional<QString> LitEntier(const QString& nom, const QString& valeur, int32_t min, int32_t max,
                                 int32_t& resultat) {
    bool ok = false;
    const int lu = valeur.toInt(&ok);
    if (!ok || lu < min || lu > max)
        return QString("la valeur de --%1 doit être un nombre entier de %2 à %3 : « %4 ».")
            .arg(nom)
            .arg(min)
            .arg(max)
            .arg(valeur);
    resultat = lu;
    return std::nullopt;
}

// The parameters, or the French fault that refuses them.
std::optional<QString> LitParametres(const QStringList& arguments, ParametresLot& p) {
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const QString valeur = a.section('=', 1);
        std::optional<QString> faute;
        if (a == "--rapport") {
            if (i + 1 >= arguments.size()) return QString("il manque la base ou le corpus après --rapport.");
            p.source = arguments[++i];
        } else if (a.startsWith("--rapport=")) {
            p.source = valeur;
        } else if (a.startsWith("--cle=")) {
            p.cle = valeur;
        } else if (a.startsWith("--dossier=")) {
            if (valeur.isEmpty()) return QString("--dossier attend un dossier.");
            p.dossier = valeur;
        } else if (a.startsWith("--seuil=")) {
            faute = LitEntier("seuil", valeur, 0, 100, p.seuil);
        } else if (a.startsWith("--fmin=")) {
            faute = LitEntier("fmin", valeur, 1, INT32_MAX, p.freqMin);
        } else if (a.startsWith("--segments=")) {
            faute = LitEntier("segments", valeur, t3::SeuilSRMinimal, INT32_MAX, p.seuilSegments);
        } else if (a.startsWith("--ventilation=")) {
            faute = LitEntier("ventilation", valeur, 1, 10, p.ventilation);
        } else if (a == "--afc") {
            p.afc = true;
        } else {
            return QString("argument inconnu : « %1 ».").arg(a);
        }
        if (faute) return faute;
    }
    if (p.source.isEmpty()) return QString("il manque la base ou le corpus après --rapport.");
    if (p.cle.isEmpty()) return QString("il manque le type de clé de la partition (--cle=CLE).");
    return std::nullopt;
}

// The command line as a shell would take it back.
std::string LigneDeCommande(const QStringList& arguments) {
    QString ligne = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    for (const QString& a : arguments) {
        const bool simple = !a.isEmpty() && a.indexOf(QRegularExpression("[^A-Za-z0-9_./=:,+-]")) < 0;
        ligne += " " + (simple ? a : "'" + QString(a).replace("'", "'\\''") + "'");
    }
    return ligne.toStdString();
}

// --- The batch

class Lot {
  public:
    Lot(ParametresLot parametres, std::string commande)
        : m_p(std::move(parametres)), m_commande(std::move(commande)), m_date(QDateTime::currentDateTime()) {}
    ~Lot() {
        if (m_services) m_services->FermeTout();
    }

    int Execute();

  private:
    bool Echoue(const QString& message) {
        Ecrit(message);
        return false;
    }
    // The messages the windows showed since the last call: each is a failure of the batch.
    bool SansMessage();
    bool OuvreBase();
    bool SegmenteCorpus(QString& par);
    bool Statistiques();
    bool Specificites();
    bool Segments();
    bool Ventilations();
    bool Analyse();
    // Adds the entry that the window writes, with the CSV of its table and the PNG of its picture
    // when it has them; false, the reason said, when it wrote none.
    bool Entree(FenetreRapport& fenetre, const std::function<LignesAExporter()>& table = {},
                QWidget* image = nullptr);
    bool Publie();

    ParametresLot m_p;
    std::string m_commande;
    QDateTime m_date;
    QString m_corpus;  // the text segmented; empty when a base was given
    QString m_dossier; // the publication
    t3::charg1 m_base;
    t3::Corpus m_modele;
    t3::Partition* m_partition = nullptr;
    std::unique_ptr<RapportEnLot> m_rapport;
    std::unique_ptr<ServicesLot> m_services;
    std::vector<TFenSpecGrp*> m_specifs;         // one per part, in order
    std::vector<std::vector<QString>> m_annexes; // per entry: its CSV and PNG, in the report's folder
    std::vector<t3::ChampManifeste> m_parametres;
    int m_messagesVus = 0;
};

bool Lot::SansMessage() {
    const QStringList& messages = Dialogues::MessagesAffiches();
    bool aucun = true;
    for (; m_messagesVus < messages.size(); ++m_messagesVus) {
        Ecrit(messages[m_messagesVus].section('|', 1, -1));
        aucun = false;
    }
    return aucun;
}

// Why a path given for a corpus or a base cannot be read as one: it is missing, or it is a folder, a
// pipe or a device, which would be read without end or not at all.
static QString FichierIllisible(const QString& quoi, const QString& chemin) {
    return QFileInfo::exists(chemin) ? QString("%1 « %2 » n'est pas un fichier ordinaire.").arg(quoi, chemin)
                                     : QString("%1 « %2 » n'existe pas.").arg(quoi, chemin);
}

bool Lot::SegmenteCorpus(QString& par) {
    const QFileInfo info(m_p.source);
    if (!info.isFile()) return Echoue(FichierIllisible("le corpus", m_p.source));
    m_corpus = info.absoluteFilePath();
    // The base is written beside its text, as the workbench writes it, with its trace.
    QDir::setCurrent(info.absolutePath());
    t3::Resultat<t3::CorpusVerifie> verifie = t3::VerifieCorpus(CheminLocal(m_corpus), t3::Encodage::Auto);
    if (!verifie) return Echoue(QString::fromStdString(verifie.Message()));
    if (verifie->clesFautives > 0)
        return Echoue(QString("%1 clé(s) incorrecte(s) dans « %2 » : consultez atrace.txt.")
                          .arg(verifie->clesFautives)
                          .arg(m_corpus));
    int64_t besoin = -1;
    const t3::Resultat<t3::BaseCreee> base = t3::SegmenteCorpus(
        *verifie->texte, {t3::DelimParDefaut, t3::Options.Maxart, false}, [&besoin](int64_t n) {
            besoin = n;
            return false;
        });
    if (!base && besoin > 0)
        return Echoue(QString("le texte demande %1 articles, plus que MAXART (%2) ; consultez atrace.txt.")
                          .arg(besoin)
                          .arg(t3::Options.Maxart));
    if (!base) return Echoue(QString::fromStdString(base.Message()));
    par = QFileInfo(CheminQt(base->cheminPar)).absoluteFilePath();
    return true;
}

bool Lot::OuvreBase() {
    QString par = m_p.source;
    if (!m_p.source.endsWith(".par", Qt::CaseInsensitive)) {
        if (!SegmenteCorpus(par)) return false;
    } else if (!QFileInfo(par).isFile()) {
        return Echoue(FichierIllisible("la base", par));
    } else {
        par = QFileInfo(par).absoluteFilePath();
        QDir::setCurrent(QFileInfo(par).absolutePath());
    }
    if (const t3::Resultat<void> chargee = m_base.Charge(CheminLocal(par)); !chargee)
        return Echoue(par + " : " + QString::fromStdString(chargee.Message()));
    const t3::Resultat<int32_t> cle = t3::ChercheTypeCle(m_base, VersCp1252(m_p.cle));
    if (!cle) return Echoue(QString::fromStdString(cle.Message()));
    m_modele.AjouteChargeur(&m_base);
    auto partition = std::make_unique<t3::Partition>(&m_base, *cle);
    partition->SetSeuil(m_p.seuil);
    partition->SetFreqMin(m_p.freqMin);
    m_partition = partition.get();
    m_modele.AjoutePartition(partition);

    m_dossier =
        !m_p.dossier.isEmpty()
            ? m_p.dossier
            : CheminQt(m_base.CheminFichier(".rapport/") + t3::NomDossierCle(m_base.Graphie(*cle), *cle));
    m_rapport = std::make_unique<RapportEnLot>(&m_base, m_dossier);
    if (!m_rapport->Valide()) return Echoue("le dossier temporaire du rapport n'a pas pu être créé.");
    m_services = std::make_unique<ServicesLot>(m_modele, m_base, *m_rapport);
    return true;
}

bool Lot::Entree(FenetreRapport& fenetre, const std::function<LignesAExporter()>& table, QWidget* image) {
    const int avant = m_rapport->NbEntrees();
    fenetre.AjouteAuRapport();
    if (!SansMessage()) return false;
    if (m_rapport->NbEntrees() != avant + 1) return Echoue("une page du rapport n'a pas été écrite.");
    const QString fichier = m_rapport->Fichier(avant);
    const QString nom = fichier.left(fichier.lastIndexOf('.'));
    std::vector<QString> annexes;
    if (table) {
        const QString csv = nom + ".csv";
        if (const QString faute = ExporteLignes(table(), m_rapport->Dossier() + csv, 0); !faute.isEmpty())
            return Echoue(faute);
        annexes.push_back(csv);
    }
    if (image) {
        const QString png = nom + ".png";
        const ImageAEnregistrer dessin{
            image->size(), [image](QPainter& peintre) { image->render(&peintre); }, nom, {}};
        if (const QString faute = EcritImage(dessin, m_rapport->Dossier() + png, FormatImage::Png, 1.0, 96);
            !faute.isEmpty())
            return Echoue(faute);
        annexes.push_back(png);
    }
    m_annexes.push_back(std::move(annexes));
    return true;
}

bool Lot::Statistiques() {
    auto* statistiques = m_services->Garde(new TFenStatPart(*m_services, m_partition));
    if (!Entree(*statistiques, [statistiques] { return LignesDeVue(statistiques->GrdPCLC()); })) return false;
    // "Sp. Tot" on every part, as its dialog computes it by default.
    for (int32_t i = 0; i < m_partition->NbParties(); ++i)
        m_partition->SetReference(i, true);
    statistiques->MontreTable(
        std::make_unique<t3::CalcSpecTot>(m_partition, t3::Progression{}, t3::Progression{}));
    if (!Entree(*statistiques, [statistiques] { return statistiques->LignesTable(); })) return false;
    // Both pages bear the window's caption: the second is named after its tab.
    const int table = m_rapport->NbEntrees() - 1;
    m_rapport->Renomme(table, m_rapport->Titre(table) + " - " +
                                  statistiques->Onglets()->tabText(statistiques->Onglets()->currentIndex()));
    return true;
}

bool Lot::Specificites() {
    for (int32_t partie = 0; partie < m_partition->NbParties(); ++partie) {
        for (int32_t i = 0; i < m_partition->NbParties(); ++i)
            m_partition->SetSelection(i, i == partie);
        TFenSpecGrp* liste = m_services->Garde(CalculeSpecifs(*m_services, *m_partition));
        m_specifs.push_back(liste);
        if (!Entree(*liste, [liste] { return LignesDeVue(liste->ListeSpecifs()); })) return false;
    }
    for (int32_t i = 0; i < m_partition->NbParties(); ++i)
        m_partition->SetSelection(i, false);
    return true;
}

bool Lot::Segments() {
    const int32_t seuil = m_p.seuilSegments > 0 ? m_p.seuilSegments : t3::SeuilSRParDefaut(m_base);
    const int32_t seuilFormes = t3::SeuilSRParDefaut(m_base);
    m_parametres.push_back({"Segments répétés : seuil des segments", std::to_string(seuil)});
    m_parametres.push_back({"Segments répétés : seuil des formes", std::to_string(seuilFormes)});
    auto calcul = t3::CalculeSegments(m_base, t3::JeuDelimiteursSR(m_base), seuilFormes, seuil);
    if (!calcul) return Echoue(QString::fromStdString(calcul.Message()));
    if ((*calcul)->NbSegments() == 0) {
        Ecrit("aucun segment trouvé : le rapport n'a pas de page des segments répétés.");
        return true;
    }
    auto* segments = m_services->Garde(new TfrmSR(*m_services, *calcul));
    return Entree(*segments, [segments] { return LignesDeVue(segments->ListSR()); });
}

// One graph per part: its N most over-used forms, each a line of its own.
bool Lot::Ventilations() {
    for (int32_t partie = 0; partie < m_partition->NbParties(); ++partie) {
        auto* graphe = m_services->Garde(new TFenGrapheTgen(*m_services, m_partition));
        graphe->setWindowTitle(graphe->windowTitle() + " - " +
                               VersQt(m_base.Graphie(m_partition->Contenu(partie))) + " ");
        int pris = 0;
        for (const t3::EnregSpec& r : m_specifs[static_cast<size_t>(partie)]->Resultats()) {
            if (pris == m_p.ventilation || r.coef <= 0) break;
            if (r.entree >= m_base.Nbform()) continue;
            TTgenDragObject forme(nullptr, std::string(m_base.Graphie(r.entree)), t3::CouleurBlanche, 1);
            forme.SetBase(&m_base);
            forme.Ajoute(r.entree);
            if (graphe->GrapheDragDrop(forme)) ++pris;
        }
        QApplication::processEvents();
        if (!Entree(
                *graphe, [graphe] { return graphe->LignesVentilation(); }, graphe->Graphe()))
            return false;
    }
    return true;
}

bool Lot::Analyse() {
    const t3::Resultat<std::string> dossier = t3::DossierAnalyses(*m_partition);
    if (!dossier) return Echoue(QString::fromStdString(dossier.Message()));
    const t3::ParamAFC param = t3::ParamAFCInitiaux(*m_partition, m_p.freqMin, false);
    m_parametres.push_back({"AFC : titre", t3::Cp1252VersUtf8(param.titre)});
    m_parametres.push_back({"AFC : NI, NJ, NF", std::to_string(param.ni) + ", " + std::to_string(param.nj) +
                                                    ", " + std::to_string(param.nf)});
    m_parametres.push_back({"AFC : FreqMin", std::to_string(param.freqMin)});
    if (const auto place =
            t3::VerifieTailleAFC(t3::EstimeTailleAFC(*m_partition, param), t3::MemoirePhysique());
        !place)
        return Echoue(QString::fromStdString(place.Message()));
    if (const auto ecrit = t3::EcritCoranDon(*dossier, *m_partition, param); !ecrit)
        return Echoue(QString::fromStdString(ecrit.Message()));
    t3::SupprimeResultats(*dossier);
    const ResultatProgramme fin = LanceProgrammeAnalyse(*m_services, nullptr, t3::ProgrammeAFC,
                                                        CheminQt(*dossier), "Analyse factorielle");
    if (!fin.Reussi()) return Echoue(ExpliqueEchec(fin, t3::ProgrammeAFC));
    auto* plan = qobject_cast<TFenGrapheAFC*>(OuvreGrapheAFC(*m_services, *m_partition, *dossier));
    if (!SansMessage() || !plan) return Echoue("les résultats de l'analyse n'ont pas pu être lus.");
    plan->Pages()->setCurrentIndex(TFenGrapheAFC::PagePlan);
    QApplication::processEvents();
    if (!Entree(
            *plan, [plan] { return LignesDeVue(plan->LVFact()); }, plan->Surface()))
        return false;
    plan->Pages()->setCurrentIndex(TFenGrapheAFC::PageHistogramme);
    QApplication::processEvents();
    if (!Entree(
            *plan, [plan] { return plan->LignesValeursPropres(); }, plan->GrapheHisto()))
        return false;

    LanceCAH(*m_services, nullptr, *m_partition);
    auto* arbre = qobject_cast<TFenDendrogramme*>(m_services->Derniere());
    if (!SansMessage() || !arbre) return Echoue("la classification n'a pas abouti.");
    return Entree(*arbre, {}, arbre->Vue());
}

bool Lot::Publie() {
    if (QString manques; !m_rapport->Publie(manques)) return Echoue(manques);

    t3::Manifeste manifeste = ManifesteBase(&m_base, m_date);
    manifeste.entete.push_back({"Commande", m_commande});
    manifeste.entete.push_back({"Dossier du rapport", m_dossier.toStdString()});
    manifeste.parametres.push_back({"Clé de la partition", m_p.cle.toStdString()});
    manifeste.parametres.push_back({"Seuil (%)", std::to_string(m_p.seuil)});
    manifeste.parametres.push_back({"FreqMin", std::to_string(m_p.freqMin)});
    manifeste.parametres.push_back({"Ventilation : formes par partie", std::to_string(m_p.ventilation)});
    manifeste.parametres.insert(manifeste.parametres.end(), m_parametres.begin(), m_parametres.end());
    if (!m_corpus.isEmpty()) t3::AjouteFichier(manifeste, "corpus", CheminLocal(m_corpus));
    // The corpus before the base's files.
    std::rotate(manifeste.fichiers.begin(), manifeste.fichiers.end() - (m_corpus.isEmpty() ? 0 : 1),
                manifeste.fichiers.end());

    const QString contenu = m_dossier + "/contenu/";
    for (int k = 0; k < m_rapport->NbEntrees(); ++k) {
        std::string valeur = "contenu/" + m_rapport->Fichier(k).toStdString();
        for (const QString& annexe : m_annexes[static_cast<size_t>(k)]) {
            QFile::remove(contenu + annexe);
            if (!QFile::copy(m_rapport->Dossier() + annexe, contenu + annexe))
                return Echoue(QString("le fichier « %1 » n'a pas pu être écrit.").arg(contenu + annexe));
            valeur += " ; contenu/" + annexe.toStdString();
        }
        if (const std::string parametres = m_rapport->Parametres(k); !parametres.empty())
            valeur += " ; " + parametres;
        manifeste.entrees.push_back({m_rapport->Titre(k).toStdString(), valeur});
    }
    if (const auto ecrit = t3::EcritManifeste(CheminLocal(m_dossier), manifeste); !ecrit)
        return Echoue(QString::fromStdString(ecrit.Message()));
    return true;
}

int Lot::Execute() {
    if (!OuvreBase() || !Statistiques() || !Specificites() || !Segments() || !Ventilations() ||
        (m_p.afc && !Analyse()) || !Publie())
        return SortieEchec;
    std::printf("%s\n", (m_dossier + "/index.htm").toUtf8().constData());
    return 0;
}

} // namespace

bool PrepareRapportLot(int argc, char** argv) {
    const bool lot = std::any_of(argv + std::min(argc, 1), argv + argc, [](const char* a) {
        const std::string_view argument(a);
        return argument == "--rapport" || argument.starts_with("--rapport=");
    });
    if (!lot) return false;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the platform without a display cannot do for windows nobody sees is no news to the user.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtDebugMsg || type == QtInfoMsg || message.contains("propagateSizeHints") ||
            message.contains("XDG_RUNTIME_DIR"))
            return;
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    });
    return true;
}

int ExecuteRapportLot(const QStringList& arguments) {
    ParametresLot parametres;
    if (const std::optional<QString> faute = LitParametres(arguments, parametres)) {
        Ecrit(*faute);
        Ecrit("usage : tessaron3 --rapport BASE.par|CORPUS.txt --cle=CLE [--dossier=DIR] [--seuil=5] "
              "[--fmin=10] [--segments=SEUIL] [--ventilation=5] [--afc]");
        return SortieArguments;
    }
    // The paths as the user gave them, from the folder he is in: the base's folder becomes current later.
    parametres.source = QFileInfo(parametres.source).absoluteFilePath();
    if (!parametres.dossier.isEmpty()) parametres.dossier = QFileInfo(parametres.dossier).absoluteFilePath();
    // Nothing waits for an answer: a message a window would show is written on the error stream.
    Dialogues::SansAttente(true);
    Lot lot(std::move(parametres), LigneDeCommande(arguments));
    return lot.Execute();
}

} // namespace t3ui
