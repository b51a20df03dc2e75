#pragma once
// The current report bound to the report tree of the main window: each entry is a child of the root
// "Table des matières", whose text (editable in place) is the title the next publication shows.
#include "engine/rapport/Manifeste.h"
#include "engine/rapport/Rapport.h"
#include "ui/shell/RapportCourant.h"

#include <QImage>

class QTreeWidget;

namespace t3 {
class charg1;
}

namespace t3ui {

class RapportArbre : public RapportCourant {
  public:
    RapportArbre(QTreeWidget* arbre, const t3::charg1* base);
    ~RapportArbre() override;

    bool Sauve() const override { return m_rapport.Sauve(); }
    bool Publie(QString& manques) override;
    QString PublicationDeplacee() const override;
    QString Dossier() const override;
    using RapportCourant::Ajoute;
    void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                const QString& parametres) override;
    const t3::Rapport& Moteur() const { return m_rapport; }

  private:
    t3::Manifeste Manifeste(const std::vector<t3::Rapport::Item>& items) const;

    QTreeWidget* m_arbre;
    const t3::charg1* m_base;
    t3::Rapport m_rapport;
};

// Writes the picture as a JPEG file at chemin (replacing it) at the quality given; false on failure.
bool SauveJPEG(const QImage& image, const QString& chemin, int qualite);

} // namespace t3ui
