#pragma once
// The workbench without a workbench, for the batch report: a report whose entries are published once into
// a folder given at its making, and the services the windows are given — nothing shown, no progress; the
// windows that would open as MDI children or docked lists are kept here, laid out offscreen.
#include "engine/rapport/Rapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace t3 {
class Corpus;
class charg1;
} // namespace t3

namespace t3ui {

// The report of the batch: its entries in the order added, published once into its folder, the manifest
// linked at the end of the index's list. The mark that tells a later publication of this report from
// another's, which changes at every run, is not left there.
class RapportEnLot : public RapportCourant {
  public:
    RapportEnLot(const t3::charg1* base, QString publication);

    bool Sauve() const override { return m_rapport.Sauve(); }
    bool Publie(QString& manques) override;
    QString Dossier() const override { return CheminQt(m_rapport.DossierRapport()); }
    using RapportCourant::Ajoute;
    void Ajoute(const QString& titre, const QString& fichier, const QString& commentaire,
                const QString& parametres) override;

    // The entry k takes another title, as the user renames it in the workbench's tree.
    void Renomme(int k, const QString& titre) {
        m_items[static_cast<size_t>(k)].titre = VersCp1252(titre);
        m_titres[static_cast<size_t>(k)] = titre;
    }
    bool Valide() const { return m_rapport.Valide(); }
    int NbEntrees() const { return static_cast<int>(m_items.size()); }
    QString Fichier(int k) const { return CheminQt(m_rapport.Entrees()[static_cast<size_t>(k)]); }
    QString Titre(int k) const { return m_titres[static_cast<size_t>(k)]; }
    std::string Parametres(int k) const { return m_rapport.Parametres()[static_cast<size_t>(k)]; }

  private:
    t3::Rapport m_rapport;
    QString m_publication;
    std::vector<t3::Rapport::Item> m_items;
    std::vector<QString> m_titres;
};

// The workbench's services without a workbench: nothing shown, no progress; the windows that would open
// as MDI children or docked lists are kept by the batch, which lays them out offscreen.
class ServicesLot : public ServicesAtelier {
  public:
    ServicesLot(t3::Corpus& corpus, t3::charg1& base, RapportEnLot& rapport)
        : m_corpus(corpus), m_base(base), m_rapport(rapport) {}

    QWidget* Cadre() override { return nullptr; }
    void SetStatusText(const QString&) override {}
    void ResetProgress() override {}
    std::function<void(int32_t)> Etapes(int) override { return {}; }
    void DockeDansListesGauche(QWidget* fenetre, const QString&) override { Garde(fenetre); }
    QMdiSubWindow* AjouteFenetre(QWidget* fenetre) override {
        Garde(fenetre);
        return nullptr;
    }
    void AmeneAuPremierPlan(QWidget*) override {}
    void Mosaique() override {}
    TFenNavig* Navigation() override { return nullptr; }
    t3::Corpus& CorpusModele() override { return m_corpus; }
    t3::charg1* Chargeur() override { return &m_base; }
    RapportCourant* Rapport() override { return &m_rapport; }
    const t3::Tgen* GroupeCourant() const override { return nullptr; }

    // The window is the batch's, laid out at a fixed size so that its pictures are the same at every
    // run.
    template <typename Fenetre> Fenetre* Garde(Fenetre* fenetre) {
        fenetre->setAttribute(Qt::WA_DeleteOnClose, false);
        fenetre->resize(1000, 700);
        fenetre->show();
        QApplication::processEvents();
        m_fenetres.emplace_back(fenetre);
        m_derniere = fenetre;
        return fenetre;
    }
    QWidget* Derniere() const { return m_derniere; }
    // The windows go before the report and the base they show.
    void FermeTout() {
        m_derniere = nullptr;
        m_fenetres.clear();
    }

  private:
    t3::Corpus& m_corpus;
    t3::charg1& m_base;
    RapportEnLot& m_rapport;
    std::vector<std::unique_ptr<QWidget>> m_fenetres;
    QWidget* m_derniere = nullptr;
};

} // namespace t3ui
