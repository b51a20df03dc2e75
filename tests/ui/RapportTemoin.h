#pragma once
// A report for the tests of the windows that add pictures to it: it records the entries added, and the
// windows write their pictures into a folder of the test's choice.
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"

#include <QList>
#include <QString>

#include <functional>

namespace t3uitest {

class RapportTemoin : public t3ui::RapportCourant {
  public:
    struct Entree {
        QString titre, fichier, commentaire, parametres;
    };
    explicit RapportTemoin(QString dossier) : m_dossier(std::move(dossier)) {}
    bool Sauve() const override { return entrees.isEmpty(); }
    bool Publie(QString&) override { return true; }
    QString Dossier() const override { return m_dossier; }
    using RapportCourant::Ajoute;
    void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                const QString& parametres) override {
        entrees.append({titre, fichier, commentaire, parametres});
    }
    QList<Entree> entrees;

  private:
    QString m_dossier;
};

// The table that the analysis windows put under a picture's title: the base, the date, the partition,
// then the number of parts.
inline QString TableImage(const QString& base, const QString& date, const QString& cle, int parties) {
    return "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : " + base + "</TD>\n<TD>Date : " + date +
           "</TD>\n<TD>Partition = " + cle +
           "</TD>\n</TABLE>Nombre de parties : " + QString::number(parties) + "<br>\n<br>\n";
}

// Runs ajoute, which adds one entry to the report, and tells whether that entry's comment is the text
// expected at the report's date taken just before or just after, whichever minute the addition fell in.
inline bool CommentaireDate(const RapportTemoin& rapport, const std::function<void()>& ajoute,
                            const std::function<QString(const QString&)>& attendu) {
    const QString avant = t3ui::DateRapport();
    ajoute();
    const QString apres = t3ui::DateRapport();
    if (rapport.entrees.isEmpty()) return false;
    const QString& commentaire = rapport.entrees.last().commentaire;
    return commentaire == attendu(avant) || commentaire == attendu(apres);
}

} // namespace t3uitest
