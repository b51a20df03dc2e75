#include "engine/segmentation/SegmPrinc.h"

#include "engine/Globaux.h"
#include "engine/segmentation/PlacementBase.h"
#include "engine/segmentation/Segmentation.h"
#include "engine/segmentation/TexteCorpus.h"
#include "engine/socle/Cp1252.h"
#include "engine/socle/RemplaceFichier.h"
#include "engine/socle/Trace.h"
#include "engine/socle/VerrousDossier.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace t3 {

const char* MessageSegm(ResultatSegm resultat) {
    switch (resultat) {
    case ResultatSegm::Ok:
        return "Segmentation terminée.";
    case ResultatSegm::TexteNonOuvert:
        return "Le fichier texte ne peut être lu.";
    case ResultatSegm::TxnNonOuvert:
        return "Le fichier temporaire xxxx.txn ne peut être écrit dans le dossier courant.";
    case ResultatSegm::BaseNonEcrite:
        return "Les fichiers de la base ne peuvent être écrits dans le dossier courant.";
    case ResultatSegm::MaxartInvalide:
        return "Le nombre maximum d'articles doit être compris entre 1 et 4999740.";
    case ResultatSegm::MemoireInsuffisante:
        return "Mémoire insuffisante pour le nombre maximum d'articles demandé.";
    case ResultatSegm::MaxartDepasse:
        return "Le texte compte plus d'articles que le nombre maximum d'articles.\n"
               "Augmentez-le dans les options.";
    case ResultatSegm::ZoneTextePleine:
        return "Les textes des articles dépassent la place prévue (40 octets par article).\n"
               "Augmentez le nombre maximum d'articles dans les options.";
    case ResultatSegm::CleTropLongue:
        return "Une clé a un type ou un contenu de plus de 126 caractères.";
    case ResultatSegm::CleIncorrecte:
        return "Une clé est vide ou n'est pas fermée.";
    case ResultatSegm::TexteTropLong:
        return "Le texte compte trop d'items pour une base.";
    case ResultatSegm::CorpusEcrase:
        return "Un fichier de la base remplacerait le texte du corpus : renommez le corpus.";
    case ResultatSegm::SegmentationEnCours:
        return "Une autre segmentation est en cours dans ce dossier : attendez qu'elle se termine.";
    case ResultatSegm::CorpusEstLaTrace:
        return "Le corpus est le fichier de la trace (atrace.txt), qui l'effacerait : renommez le corpus.";
    case ResultatSegm::TexteNonConverti:
        return "Le texte en UTF-8 ne peut être converti en Windows-1252 : le fichier temporaire ne peut être "
               "écrit.";
    case ResultatSegm::NomIncorrect:
        return "Le nom du corpus contient un saut de ligne : renommez-le avant de le segmenter.";
    case ResultatSegm::Annulee:
        return "Segmentation annulée.";
    }
    return "Erreur inconnue.";
}

std::string TraitPath(const std::string& pn) {
    // A backslash is a character of a file name here, not a separator.
    const size_t separateur = pn.rfind('/');
    const std::string nom = separateur == std::string::npos ? pn : pn.substr(separateur + 1);
    const size_t point = nom.rfind('.');
    if (point == std::string::npos || point == 0) return nom;
    return nom.substr(0, point);
}

bool NomCorpusAcceptable(const std::string& pn) {
    return TraitPath(pn).find_first_of("\r\n") == std::string::npos;
}

namespace segm {

// Closes the file being written; true when everything written so far reached it.
bool Segmentation::FermeSortie(bool ecrit) {
    ecrit = std::ferror(m_sortie) == 0 && ecrit;
    ecrit = std::fclose(m_sortie) == 0 && ecrit;
    m_sortie = nullptr;
    return ecrit;
}

void Segmentation::FermeFichiers() {
    if (m_sortie) std::fclose(m_sortie);
    m_sortie = nullptr;
}

bool Segmentation::Continue() {
    if (m_suivi.progression) m_suivi.progression(1);
    if (!m_suivi.Arrete()) return true;
    Trace("\nSegmentation annulée");
    Refuse(ResultatSegm::Annulee);
    return false;
}

ResultatSegm Segmentation::Refuse(ResultatSegm resultat) {
    if (m_refus == ResultatSegm::Ok) m_refus = resultat;
    return m_refus;
}

bool Segmentation::AllocTab() {
    try {
        m_ptrzon2 = NouveauTableauGrandesPages<Article>(m_maxart);
        m_list = NouveauTableauGrandesPages<int32_t>(m_maxart);
        m_list1 = NouveauTableauGrandesPages<int32_t>(m_maxart);
        m_msg = NouveauTableauGrandesPages<char>(OctetsTexteParArticle * m_maxart + MargeZone);
        m_longueurs.reserve(m_maxart);
        m_table.Vide(m_msg.get());
    } catch (const std::bad_alloc&) {
        Desalloc();
        Trace("\nMémoire insuffisante pour %ld articles", static_cast<long>(m_maxart));
        return false;
    }
    const int64_t total =
        static_cast<int64_t>(m_maxart) * (sizeof(Article) + 2 * sizeof(int32_t) + OctetsTexteParArticle);
    Trace("\nMAXART (Maximum d'articles traités) = %ld", static_cast<long>(m_maxart));
    Trace("\nAllocation de %ldK", static_cast<long>(total / 1024));
    return true;
}

// Puts the three written files in place of the base's, the ".par" last; the previous base stays
// loadable until the new one is whole, and comes back when the placement fails.
ResultatSegm Segmentation::MetEnPlace(const std::string& bn) {
    bool place;
    {
        VerrouBases verrou("", VerrouBases::Mode::Exclusif);
        place = PlaceBase(bn);
    }
    if (!place) {
        Trace("\n\"%s\": ne peut etre mis en place ; la base précédente est gardée\n",
              NomFichier(bn, ".par").c_str());
        return Refuse(ResultatSegm::BaseNonEcrite);
    }
    return ResultatSegm::Ok;
}

void Segmentation::Desalloc() {
    m_ptrzon2.reset();
    m_list.reset();
    m_list1.reset();
    m_msg.reset();
    m_table = TableJetons();
    m_longueurs = {};
}

void Segmentation::EffaceTxn() {
    std::remove(NomTxn);
}

void Segmentation::EffaceProvisoires(const std::string& bn) {
    FermeFichiers();
    for (const char* extension : {".dic", ".num", ".par"})
        std::remove(NomProvisoire(bn, extension).c_str());
}

namespace {

// A base file, the temporary text or a provisional file that is the corpus itself would destroy it.
bool RemplaceraitLeCorpus(const std::string& pn, const std::string& bn) {
    std::vector<std::string> sorties = {NomTxn};
    for (const char* extension : {".dic", ".num", ".par"}) {
        sorties.push_back(NomFichier(bn, extension));
        sorties.push_back(NomProvisoire(bn, extension));
        sorties.push_back(NomPrecedent(bn, extension));
    }
    // The corpus is looked up once, each output once: the same device and inode is the same file.
    struct stat corpus {};
    if (::stat(pn.c_str(), &corpus) != 0) return false;
    return std::any_of(sorties.begin(), sorties.end(), [&](const std::string& sortie) {
        struct stat fichier {};
        return ::stat(sortie.c_str(), &fichier) == 0 && fichier.st_dev == corpus.st_dev &&
               fichier.st_ino == corpus.st_ino;
    });
}

// Writes what the transcoding replaced beside the new base, or removes the report of an earlier text.
void GardeRapportTranscodage(const TexteCorpus& texte, const std::string& bn) {
    const std::string chemin = bn + SuffixeTranscodage;
    const std::string message = texte.Transcode() ? MessageRemplacements(texte.Rapport()) : std::string();
    if (message.empty()) {
        std::remove(chemin.c_str());
        return;
    }
    const std::string contenu =
        "Conversion en Windows-1252 du corpus « " + texte.Chemin() + " », lu en UTF-8 :\n" + message + "\n";
    if (RemplaceFichier(chemin, contenu) == 0) Trace("\nCompte rendu de la conversion : %s", chemin.c_str());
}

} // namespace

ResultatSegm Segmentation::Execute(const TexteCorpus& texte, const std::string& delimiteursDemandes) {
    const std::string& pn = texte.Chemin();
    const std::string delimiteurs =
        m_typographie ? DelimiteursTypographie(delimiteursDemandes) : delimiteursDemandes;
    // Checked before the first trace line, which would be written into the corpus.
    if (EstLaTrace(pn)) return m_refus = ResultatSegm::CorpusEstLaTrace;
    if (!NomCorpusAcceptable(pn)) return m_refus = ResultatSegm::NomIncorrect;
    Trace("\n\n*****Début SegmPrinc*****\n");
    const std::string bn = TraitPath(pn);
    Trace("\n\n*****FIN DE TraitPath : pn:%s bn:%s*****\n", pn.c_str(), bn.c_str());
    if (m_maxart < 1 || m_maxart > MaxartLimite) {
        Trace("\nMAXART invalide : %ld", static_cast<long>(m_maxart));
        return Refuse(ResultatSegm::MaxartInvalide);
    }
    if (RemplaceraitLeCorpus(pn, bn)) {
        Trace("\nLa base %s remplacerait le fichier %s : segmentation abandonnée", bn.c_str(), pn.c_str());
        return Refuse(ResultatSegm::CorpusEcrase);
    }
    std::error_code erreur;
    if (std::filesystem::exists(pn, erreur) && !std::filesystem::is_regular_file(pn, erreur)) {
        Trace("\n%s n'est pas un fichier : segmentation abandonnée", pn.c_str());
        return Refuse(ResultatSegm::TexteNonOuvert);
    }
    // One segmentation at a time in a folder: they share its temporary file and its trace.
    VerrouSegmentation verrou("", 1000);
    if (verrou.Occupe()) {
        Trace("\nUne autre segmentation est en cours dans ce dossier : segmentation abandonnée");
        return Refuse(ResultatSegm::SegmentationEnCours);
    }
    // A placement of this base cut short is undone, and what a killed run left goes.
    {
        VerrouBases verrouBases("", VerrouBases::Mode::Exclusif);
        RangeBase(bn);
    }
    if (!AllocTab()) {
        EffaceTxn();
        return Refuse(ResultatSegm::MemoireInsuffisante);
    }
    Trace("\n\n*****FIN DE AllocTab*****\n");
    if (SegmText(texte, delimiteurs) == ResultatSegm::Ok) {
        Trace("\n\n*****FIN DE SegmText*****\n");
        TravDico();
        Trace("\n\n*****FIN DE TravDico*****\n");
        if (Continue() && NumeDefT(bn, delimiteurs) == ResultatSegm::Ok)
            Trace("\n\n*****FIN DE NumeDefT*****\n");
    }
    if (m_refus != ResultatSegm::Ok) {
        EffaceProvisoires(bn);
        Desalloc();
        EffaceTxn();
        return m_refus;
    }
    Desalloc();
    Trace("\nlibération de ptrzon2");
    Trace("\nlibération de list");
    Trace("\nlibération de list1");
    Trace("\nlibération de msg");
    Trace("\n\n*****FIN DE Desalloc*****\n");
    EffaceTxn();
    Trace("\n\n*****FIN DE EffaceTxn*****\n");
    GardeRapportTranscodage(texte, bn);
    return ResultatSegm::Ok;
}

} // namespace segm

ResultatSegm SegmPrinc(const TexteCorpus& texte, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos, bool typographie, const Suivi& suivi) {
    segm::Segmentation segmentation(maxart, typographie, suivi);
    const ResultatSegm resultat = segmentation.Execute(texte, delimiteurs);
    infos = segmentation.Infos();
    infos.encodage = texte.EncodageLu();
    infos.remplacements = texte.Rapport();
    return resultat;
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart,
                       InfosSegm& infos) {
    TexteCorpus texte(pn);
    if (!texte.Prepare()) {
        Trace("\n%s : %s", pn.c_str(), Utf8VersCp1252(MessageTranscodage(texte)).c_str());
        return ResultatSegm::TexteNonConverti;
    }
    return SegmPrinc(texte, delimiteurs, maxart, infos);
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs, int32_t maxart) {
    InfosSegm infos;
    return SegmPrinc(pn, delimiteurs, maxart, infos);
}

std::string DelimiteursTypographie(const std::string& delimiteurs) {
    std::string d = delimiteurs;
    for (const char marque : std::string_view("\xAB\xBB\x92\x93\x94\x85\xA0"))
        if (d.find(marque) == std::string::npos) d += marque;
    return d;
}

std::string AvertissementCoupes(const InfosSegm& infos) {
    if (infos.suitesCoupees == 0) return {};
    return "Attention : " + std::to_string(infos.suitesCoupees) + " suite(s) de plus de " +
           std::to_string(LongueurMaxForme) +
           " caractères sans séparateur coupée(s) en plusieurs formes, la " + "première à la ligne " +
           std::to_string(infos.ligneSuiteCoupee) + ".";
}

ResultatSegm SegmPrinc(const std::string& pn, const std::string& delimiteurs) {
    return SegmPrinc(pn, delimiteurs, Options.Maxart);
}

void EffaceTxnAbandonne(const std::string& dossier) {
    const VerrouSegmentation verrou(dossier, 0);
    if (verrou.Tenu())
        std::remove(((dossier.empty() ? std::string() : dossier + "/") + segm::NomTxn).c_str());
}

} // namespace t3

namespace t3 {

std::string ResumeSegmentation(const std::string& cheminPar) {
    std::FILE* f = std::fopen(cheminPar.c_str(), "rb");
    if (!f) return {};
    std::string texte;
    char tampon[4096];
    for (size_t n; (n = std::fread(tampon, 1, sizeof tampon, f)) > 0;)
        texte.append(tampon, n);
    std::fclose(f);
    size_t debut = 0;
    for (int ligne = 0; ligne < 2 && debut != std::string::npos; ++ligne) {
        debut = texte.find('\n', debut);
        if (debut != std::string::npos) ++debut;
    }
    return debut == std::string::npos ? std::string() : texte.substr(debut);
}

} // namespace t3
