#include "ui/shell/RapportArbre.h"

#include "engine/rapport/SauveJPEG.h"
#include "engine/socle/Cp1252.h"
#include "ui/shell/Chemins.h"
#include "ui/shell/ManifesteRapport.h"
#include "ui/shell/TexteQt.h"

#include <QTreeWidget>

namespace t3ui {
namespace {

constexpr int RoleIndex = Qt::UserRole;

// The entries in the tree's order, each before its children, the root level left out.
void Parcourt(const QTreeWidgetItem* item, std::vector<t3::Rapport::Item>& items) {
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* enfant = item->child(i);
        items.push_back({enfant->data(0, RoleIndex).toInt(), VersCp1252(enfant->text(0))});
        Parcourt(enfant, items);
    }
}

} // namespace

RapportArbre::RapportArbre(QTreeWidget* arbre, const t3::charg1* base)
    : m_arbre(arbre), m_base(base), m_rapport(base, CheminLocal(DossierTemporaire())) {}

// The entries of the tree go with the report whose files they name.
RapportArbre::~RapportArbre() {
    if (QTreeWidgetItem* racine = m_arbre->topLevelItem(0)) qDeleteAll(racine->takeChildren());
}

QString RapportArbre::Dossier() const {
    return CheminQt(m_rapport.DossierRapport());
}

void RapportArbre::Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                          const QString& parametres) {
    const int32_t index = m_rapport.Ajoute(VersCp1252(titre), CheminLocal(fichier), VersCp1252(commentaire),
                                           parametres.toStdString());
    auto* item = new QTreeWidgetItem(QStringList{titre});
    item->setData(0, RoleIndex, index);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_arbre->topLevelItem(0)->addChild(item);
    m_arbre->expandAll();
}

bool RapportArbre::Publie(QString& manques) {
    std::vector<t3::Rapport::Item> items;
    for (int i = 0; i < m_arbre->topLevelItemCount(); ++i)
        Parcourt(m_arbre->topLevelItem(i), items);
    const t3::Resultat<std::vector<std::string>> publie = m_rapport.Enregistre(
        CheminLocal(DossierPublication()), items, CheminLocal(DossierDonnees() + "/images"));
    QStringList lignes;
    if (!publie) {
        lignes << QString("La page « %1/index.htm » n'a pas pu être écrite.").arg(DossierPublication())
               << QString::fromStdString(publie.Message());
    } else if (!publie->empty()) {
        lignes << "Le rapport a été publié sans ces fichiers :";
        for (const std::string& absent : *publie)
            lignes << QString::fromStdString(absent);
    }
    // The manifest beside the index, which stays as it was: it names the manifest nowhere.
    bool manifeste = true;
    if (publie) {
        if (const auto ecrit = t3::EcritManifeste(CheminLocal(DossierPublication()), Manifeste(items));
            !ecrit) {
            lignes << QString::fromStdString(ecrit.Message());
            manifeste = false;
        }
    }
    manques = lignes.join('\n');
    return publie && publie->empty() && manifeste;
}

// The manifest of the publication: each entry with the parameters its window recorded.
t3::Manifeste RapportArbre::Manifeste(const std::vector<t3::Rapport::Item>& items) const {
    t3::Manifeste manifeste = ManifesteBase(m_base, QDateTime::currentDateTime());
    manifeste.entete.push_back({"Publication", DossierPublication().toStdString()});
    const auto& entrees = m_rapport.Entrees();
    const auto& parametres = m_rapport.Parametres();
    for (const t3::Rapport::Item& item : items) {
        if (item.index < 0 || static_cast<size_t>(item.index) >= entrees.size()) continue;
        const auto k = static_cast<size_t>(item.index);
        std::string valeur = "contenu/" + CheminQt(entrees[k]).toStdString();
        if (!parametres[k].empty()) valeur += " ; " + parametres[k];
        manifeste.entrees.push_back({t3::Cp1252VersUtf8(item.titre), valeur});
    }
    return manifeste;
}

QString RapportArbre::PublicationDeplacee() const {
    return CheminQt(m_rapport.PublicationDeplacee());
}

bool SauveJPEG(const QImage& image, const QString& chemin, int qualite) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return t3::SauveJPEG(rgb.constBits(), rgb.width(), rgb.height(), static_cast<int>(rgb.bytesPerLine()),
                         CheminLocal(chemin), qualite);
}

} // namespace t3ui
