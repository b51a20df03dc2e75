#pragma once
// The workbench's services for a window tested alone: nothing placed, nothing shown, no progress; the
// frame and the report are what the test gives.
#include "ui/shell/ServicesAtelier.h"

#include <cstdlib>

namespace t3uitest {

class ServicesFactices : public t3ui::ServicesAtelier {
  public:
    QWidget* cadre = nullptr;
    t3ui::RapportCourant* rapport = nullptr;

    QWidget* Cadre() override { return cadre; }
    void SetStatusText(const QString&) override {}
    void ResetProgress() override {}
    std::function<void(int32_t)> Etapes(int) override { return {}; }
    void DockeDansListesGauche(QWidget*, const QString&) override {}
    QMdiSubWindow* AjouteFenetre(QWidget*) override { return nullptr; }
    void AmeneAuPremierPlan(QWidget*) override {}
    void Mosaique() override {}
    t3ui::TFenNavig* Navigation() override { return nullptr; }
    t3::Corpus& CorpusModele() override { std::abort(); }
    t3::charg1* Chargeur() override { return nullptr; }
    t3ui::RapportCourant* Rapport() override { return rapport; }
    const t3::Tgen* GroupeCourant() const override { return nullptr; }
};

} // namespace t3uitest
