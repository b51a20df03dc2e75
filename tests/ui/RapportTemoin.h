#pragma once
// A report for the tests of the windows that add pictures to it: it records the entries added, and the
// windows write their pictures into a folder of the test's choice.
#include "shell/RapportCourant.h"

#include <QList>
#include <QString>

namespace t3uitest {

class RapportTemoin : public t3ui::RapportCourant {
  public:
    struct Entree {
        QString titre, fichier, commentaire;
    };
    explicit RapportTemoin(QString dossier) : m_dossier(std::move(dossier)) {}
    bool Sauve() const override { return entrees.isEmpty(); }
    bool Publie(QString&) override { return true; }
    QString Dossier() const override { return m_dossier; }
    void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire) override {
        entrees.append({titre, fichier, commentaire});
    }
    QList<Entree> entrees;

  private:
    QString m_dossier;
};

} // namespace t3uitest
