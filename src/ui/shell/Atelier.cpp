#include "ui/shell/Atelier.h"

#include "engine/Globaux.h"
#include "engine/segmentation/CreationBase.h"
#include "engine/segmentation/SegmPrinc.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/segmentation/VerifCles.h"
#include "engine/socle/Trace.h"
#include "ui/segmentation/TFenChoixDelimForme.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace t3ui {

namespace {

// Halves rounded toward zero, as the dialogs are placed.
QPoint Centre(const QSize& cadre, const QSize& fenetre) {
    return {cadre.width() / 2 - fenetre.width() / 2, cadre.height() / 2 - fenetre.height() / 2};
}

} // namespace

Atelier::Atelier(ServicesAtelier& services, FabriqueRapport fabrique)
    : m_services(services), m_fabrique(std::move(fabrique)) {}

// The windows borrow the loaders: whoever owns them closes them first.
Atelier::~Atelier() = default;

BaseOuverte* Atelier::Ouverte(const t3::charg1* base) const {
    for (const auto& ouverte : m_bases)
        if (ouverte->chargeur.get() == base) return ouverte.get();
    return nullptr;
}

t3::charg1* Atelier::BaseDeFeuille(int feuille) const {
    for (const auto& ouverte : m_bases)
        if (ouverte->feuille == feuille) return ouverte->chargeur.get();
    return nullptr;
}

int Atelier::RetireBase(BaseOuverte& ouverte) {
    const t3::charg1* base = ouverte.chargeur.get();
    emit BaseFermee(base);
    ouverte.retrait = m_corpus.RetireChargeur(base);
    if (m_chargeur == base) m_chargeur = m_corpus.ChargeurCourant();
    const int feuille = std::exchange(ouverte.feuille, -1);
    const auto tenue =
        std::find_if(m_bases.begin(), m_bases.end(), [&](const auto& b) { return b.get() == &ouverte; });
    m_remplacees.push_back(std::move(*tenue));
    m_bases.erase(tenue);
    return feuille;
}

void Atelier::AttacheSegments(t3::charg1& base, std::shared_ptr<const t3::FournisseurSegments> segments) {
    // Only a base the workbench holds keeps them: the loader merely borrows them.
    BaseOuverte* tenue = Ouverte(&base);
    if (!tenue) return;
    base.AssigneSR(segments.get());
    tenue->segments = std::move(segments);
}

bool Atelier::OuvreBase(const QString& cheminDonne, bool remplace) {
    const QFileInfo info(cheminDonne);
    const QString chemin = info.absoluteFilePath();
    const QString canonique = info.canonicalFilePath();
    int feuille = -1;
    for (const auto& ouverte : m_bases)
        if (!canonique.isEmpty() && ouverte->chemin == canonique) {
            if (!remplace) {
                emit BaseDejaOuverte(ouverte->chargeur.get());
                return true;
            }
            feuille = RetireBase(*ouverte);
            break;
        }
    // The folder of the base becomes current, as the open dialogs make it: a base created next is
    // written there.
    QDir::setCurrent(info.absolutePath());
    // The base loads off the interface thread; a cancelled or failed load leaves the bases opened before
    // and their windows as they were.
    auto chargeur = std::make_unique<t3::charg1>();
    const std::string local = CheminLocal(chemin);
    const auto chargee = ExecuteEnFond<t3::Resultat<void>>(
        "Chargement des données", 2, // the dictionary, then the text
        [base = chargeur.get(), &local](const t3::Arret& arret, const t3::Progression& progression) {
            base->AttribGauge(progression);
            base->AttribArret(&arret);
            t3::Resultat<void> resultat = base->Charge(local);
            base->AttribArret(nullptr);
            base->AttribGauge({});
            return resultat;
        });
    if (!chargee) return false;
    if (!*chargee) {
        // The failed loader is dropped: the windows of the bases opened before keep theirs.
        Dialogues::Message(m_services.Cadre(), QMessageBox::Warning, chemin,
                           QString::fromStdString(chargee->Message()));
        return false;
    }
    m_chargeur = chargeur.get();
    m_bases.push_back(
        std::make_unique<BaseOuverte>(BaseOuverte{nullptr, std::move(chargeur), canonique, feuille}));
    m_corpus.AjouteChargeur(m_chargeur);
    {
        Sablier sablier;
        emit BaseChargee(chemin, m_chargeur);
    }
    NouveauRapport(m_chargeur);
    {
        Sablier sablier;
        emit BaseEnPlace(chemin, m_chargeur);
    }
    m_services.SetStatusText("Prêt");
    return true;
}

// Reads the text in its encoding and verifies its keys; the text read, or null, the user told why, when
// the segmentation cannot go on.
std::unique_ptr<t3::TexteCorpus> Atelier::VerifieTexte(const std::string& chemin, t3::Encodage encodage) {
    QWidget* cadre = m_services.Cadre();
    auto verifie = ExecuteEnFond<t3::Resultat<t3::CorpusVerifie>>(
        "Vérification des clés", 1, [&chemin, encodage](const t3::Arret&, const t3::Progression&) {
            return t3::VerifieCorpus(chemin, encodage);
        });
    if (!verifie) return nullptr;
    if (!*verifie) {
        Dialogues::Message(cadre, QMessageBox::Warning, "Tessaron3",
                           QString::fromStdString(verifie->Message()));
        return nullptr;
    }
    t3::CorpusVerifie& corpus = verifie->Valeur();
    if (!corpus.texte->RaisonCp1252().empty())
        Dialogues::Information(cadre, QString::fromStdString(corpus.texte->RaisonCp1252()));
    if (corpus.clesFautives != 0) {
        Dialogues::Information(cadre, "Problème dans les clefs.\nConsultez atrace.txt");
        MontreTrace(cadre);
        return nullptr;
    }
    return std::move(corpus.texte);
}

bool Atelier::CreeBase(const QString& cheminDonne) {
    QWidget* cadre = m_services.Cadre();
    const QString chemin = QFileInfo(cheminDonne).absoluteFilePath();
    const std::string local = CheminLocal(chemin);
    std::unique_ptr<t3::TexteCorpus> texte = VerifieTexte(local, t3::Encodage::Auto);
    if (!texte) return false;
    TFenChoixDelimForme dialogue(cadre);
    dialogue.SetEncodageDetecte(texte->EncodageLu());
    dialogue.adjustSize();
    if (cadre) dialogue.move(cadre->mapToGlobal(Centre(cadre->size(), dialogue.size())));
    if (Dialogues::Execute(&dialogue) != QDialog::Accepted) return false;
    // The user chose the other encoding: the text is read, and its keys verified, again.
    if (dialogue.Encodage() != texte->EncodageLu() && !(texte = VerifieTexte(local, dialogue.Encodage())))
        return false;
    // The segmentation runs off the interface thread; the question of the capacity is asked on it.
    bool refusee = false;
    const t3::OptionsSegmentation options{VersCp1252(dialogue.Delimiteurs()), t3::Options.Maxart,
                                          dialogue.Typographie()};
    const auto accepte = [this, &refusee](int64_t besoin) {
        QMetaObject::invokeMethod(
            this, [this, &refusee, besoin] { refusee = !AccepteCapacite(besoin); },
            Qt::BlockingQueuedConnection);
        return !refusee;
    };
    const auto base = ExecuteEnFond<t3::Resultat<t3::BaseCreee>>(
        "Segmentation", 2, [&](const t3::Arret& arret, const t3::Progression& progression) {
            return t3::SegmenteCorpus(*texte, options, accepte, {progression, &arret});
        });
    // Cancelled, or declined by the user: the question said it all.
    if (!base || refusee) return false;
    if (!*base) {
        Dialogues::Message(cadre, QMessageBox::Warning, "Tessaron3", QString::fromStdString(base->Message()));
        return false;
    }
    // Runs too long for a form were cut: said, not silent.
    if (const std::string avertissement = t3::AvertissementCoupes((*base)->infos); !avertissement.empty())
        Dialogues::Information(cadre, QString::fromStdString(avertissement));
    // The base is written under the text's name in the current folder.
    const QString nomBase = QDir::current().filePath(CheminQt(t3::TraitPath(local)));
    // So are the characters that Windows-1252 could not hold, once the base is written: their report,
    // kept beside the base, is shown in a window.
    if (!(*base)->infos.remplacements.Vide()) MontreTranscodage(cadre, nomBase);
    return OuvreBase(nomBase + ".par", /*remplace*/ true);
}

void Atelier::TraiteLigneCommande(const QString& ligne) {
    if (!ligne.isEmpty()) OuvreChemin(ligne.section(' ', 0, 0));
}

void Atelier::TraiteArguments(const QStringList& arguments) {
    if (!arguments.isEmpty() && !arguments.first().isEmpty()) OuvreChemin(arguments.first());
}

void Atelier::OuvreChemin(const QString& chemin) {
    // Resolved before the folder changes, so that a relative path names what the user meant.
    const QFileInfo info(QFileInfo(chemin).absoluteFilePath());
    QDir::setCurrent(info.absolutePath());
    const bool base = info.fileName().endsWith(".par");
    if (!info.exists()) {
        Dialogues::Message(
            m_services.Cadre(), QMessageBox::Warning, "Tessaron3",
            QString(base ? "La base « %1 » est introuvable." : "Le fichier « %1 » est introuvable.")
                .arg(info.filePath()));
        return;
    }
    if (base)
        OuvreBase(info.filePath());
    else
        CreeBase(info.filePath());
}

// The report of the faulty keys, at hand in a window: the next opening of a base starts the trace anew.
void Atelier::MontreTrace(QWidget* cadre) {
    QFile fichier(QString::fromUtf8(t3::NomTrace));
    if (!fichier.open(QIODevice::ReadOnly)) return;
    const QByteArray octets = fichier.readAll();
    MontreCompteRendu(cadre, "FenTraceCles",
                      "Compte rendu des clés - " + QDir::current().filePath(QString::fromUtf8(t3::NomTrace)),
                      VersQt(std::string_view(octets.constData(), static_cast<size_t>(octets.size()))));
}

// What the transcoding of the text replaced, kept beside the base (UTF-8), at hand in a window.
void Atelier::MontreTranscodage(QWidget* cadre, const QString& base) {
    const QString chemin = base + QString::fromUtf8(t3::SuffixeTranscodage);
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return;
    MontreCompteRendu(cadre, "FenTranscodage", "Compte rendu de la conversion - " + chemin,
                      QString::fromUtf8(fichier.readAll()));
}

// A report of the work, in a window of its own that the user may keep open.
void Atelier::MontreCompteRendu(QWidget* cadre, const QString& nom, const QString& titre,
                                const QString& texte) {
    auto* fenetre = new QPlainTextEdit(cadre);
    fenetre->setWindowFlag(Qt::Window);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->setObjectName(nom);
    fenetre->setWindowTitle(titre);
    fenetre->setReadOnly(true);
    fenetre->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    fenetre->setPlainText(texte);
    fenetre->resize(640, 400);
    if (cadre) fenetre->move(cadre->mapToGlobal(Centre(cadre->size(), fenetre->size())));
    fenetre->show();
}

// The capacity ran out: the user may segment the text again with what it needs.
bool Atelier::AccepteCapacite(int64_t besoin) {
    const auto reponse = Dialogues::Message(
        m_services.Cadre(), QMessageBox::Question, "Tessaron3",
        QString("Le texte compte %1 articles, plus que le nombre maximum d'articles (%2).\n"
                "Voulez-vous le segmenter avec %1 articles ?")
            .arg(besoin)
            .arg(t3::Options.Maxart),
        QMessageBox::Yes | QMessageBox::No);
    return reponse == QMessageBox::Yes;
}

QMessageBox::StandardButton Atelier::DemandeSauvegarde(QMessageBox::StandardButtons boutons) {
    if (!m_rapport || m_rapport->Sauve()) return QMessageBox::No;
    const auto reponse =
        Dialogues::Message(m_services.Cadre(), QMessageBox::Question, "Tessaron3",
                           "Le rapport a été modifié.\nVoulez-vous le sauvegarder ?", boutons);
    if (reponse == QMessageBox::Yes) PublieRapport();
    return reponse;
}

// The report of the base just opened. The previous report, whose entries the tree shows, goes first:
// when it holds unsaved entries the user may publish them.
void Atelier::NouveauRapport(const t3::charg1* base) {
    DemandeSauvegarde(QMessageBox::Yes | QMessageBox::No);
    m_rapport.reset();
    SetRapport(m_fabrique ? m_fabrique(base) : nullptr);
}

void Atelier::SetRapport(std::unique_ptr<RapportCourant> rapport) {
    m_rapport = std::move(rapport);
    emit RapportRemplace(m_rapport != nullptr);
}

void Atelier::FermeRapport() {
    m_rapport.reset();
}

bool Atelier::PublieRapport() {
    if (!m_rapport) return false;
    QString manques;
    const bool complet = m_rapport->Publie(manques);
    if (!complet)
        Dialogues::Message(m_services.Cadre(), QMessageBox::Warning, "Tessaron3", manques);
    else if (const QString deplacee = m_rapport->PublicationDeplacee(); !deplacee.isEmpty())
        m_services.SetStatusText("Rapport publié dans " + DossierPublication() +
                                 " ; la publication précédente a été déplacée dans " + deplacee);
    else
        m_services.SetStatusText("Rapport publié dans " + DossierPublication());
    return complet;
}

bool Atelier::AccepteFermeture() {
    return DemandeSauvegarde(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel) != QMessageBox::Cancel;
}

} // namespace t3ui
