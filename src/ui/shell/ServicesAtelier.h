#pragma once
// What the workbench lends to its windows: the status text and the progress bar, the places where a
// window opens (a page of ListesGauche, an MDI child of the current sheet), the navigation tree, the
// corpus model with the open base, the current report and the group held by the container. Windows
// receive this interface rather than the main window, so that a test can give them a fake.
#include <QString>

#include <cstdint>
#include <functional>

class QMdiSubWindow;
class QWidget;

namespace t3 {
class Corpus;
class Tgen;
class charg1;
} // namespace t3

namespace t3ui {

class RapportCourant;
class TFenNavig;

class ServicesAtelier {
  public:
    virtual ~ServicesAtelier() = default;

    // The window that owns the dialogs and message boxes of the commands.
    virtual QWidget* Cadre() = 0;

    // --- Status and progress (the bar runs from 0 to 200)
    virtual void SetStatusText(const QString& texte) = 0;
    virtual void StepProgress() = 0;
    virtual void StepProgressBy2() = 0;
    virtual void ResetProgress() = 0;
    // A progress callback for the engine that steps the bar by pas at each call.
    virtual std::function<void(int32_t)> Jauge(int pas) = 0;

    // --- Where windows open
    // Docks a list window at the end of ListesGauche as a new page, and shows that page.
    virtual void DockeDansListesGauche(QWidget* fenetre, const QString& titre) = 0;
    // Makes an analysis window an MDI child of the current sheet and shows it.
    virtual QMdiSubWindow* AjouteFenetre(QWidget* fenetre) = 0;
    virtual void AmeneAuPremierPlan(QWidget* fenetre) = 0;
    virtual void Mosaique() = 0;
    virtual TFenNavig* Navigation() = 0;

    // --- The model
    virtual t3::Corpus& CorpusModele() = 0;
    // The open base: the last one opened; null before.
    virtual t3::charg1* Chargeur() = 0;
    // The current report; null before a base is opened.
    virtual RapportCourant* Rapport() = 0;
    // The group held by the container; null before a drop.
    virtual const t3::Tgen* GroupeCourant() const = 0;
    // Brings the text view of a base forward on the occurrence at a text position (opening the view
    // again if it was closed); a workbench without a text view does nothing.
    virtual void MontreOccurrence(const t3::charg1* /*base*/, int32_t /*position*/) {}
};

} // namespace t3ui
