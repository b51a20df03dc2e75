#include "ui/shell/ServicesLot.h"

#include "engine/rapport/Manifeste.h"
#include "ui/shell/Chemins.h"

#include <QStringList>

namespace t3ui {

RapportEnLot::RapportEnLot(const t3::charg1* base, QString publication)
    : m_rapport(base, CheminLocal(DossierTemporaire())), m_publication(std::move(publication)) {}

bool RapportEnLot::Publie(QString& manques) {
    const std::string lien = std::string("<LI><A HREF=\"") + t3::NomManifestePage + "\">Manifeste</A>";
    const t3::Resultat<std::vector<std::string>> publie = m_rapport.Enregistre(
        CheminLocal(m_publication), m_items, CheminLocal(DossierDonnees() + "/images"), {lien});
    QStringList lignes;
    lignes << QString::fromStdString(publie.Message());
    if (publie)
        for (const std::string& manque : *publie)
            lignes << QString::fromStdString(manque);
    lignes.removeAll({});
    manques = lignes.join('\n');
    t3::Rapport::OublieIdentite(CheminLocal(m_publication));
    return publie && publie->empty();
}

void RapportEnLot::Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                          const QString& parametres) {
    const int32_t index = m_rapport.Ajoute(VersCp1252(titre), CheminLocal(fichier), VersCp1252(commentaire),
                                           parametres.toStdString());
    m_items.push_back({index, VersCp1252(titre)});
    m_titres.push_back(titre);
}

} // namespace t3ui
