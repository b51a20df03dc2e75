#pragma once
// The current report as the windows and the main window see it: windows write their page or picture
// into its folder and add it as an entry; the main window asks whether it holds unsaved entries and
// publishes it, learning whether everything could be published (with the French text of what was
// missing otherwise).
#include <QString>

namespace t3ui {

class RapportCourant {
  public:
    virtual ~RapportCourant() = default;
    virtual bool Sauve() const = 0;
    virtual bool Publie(QString& manques) = 0;
    // Where the last publication moved the one another report had left in its folder; empty if none.
    virtual QString PublicationDeplacee() const { return {}; }
    // The folder the windows write their entries into, ending with "/".
    virtual QString Dossier() const = 0;
    // Records an entry whose file the window already wrote into the folder, with the parameters of the
    // window that made it, which the manifest of the publication lists.
    virtual void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                        const QString& parametres) = 0;
    void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire) {
        Ajoute(titre, fichier, commentaire, {});
    }
};

} // namespace t3ui
