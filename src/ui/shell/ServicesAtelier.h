#pragma once
// What the workbench lends to its windows, in a few small interfaces so that a window can name only
// what it uses and a test fake only that: the status text and the progress bar, the places where a
// window opens (a page of ListesGauche, an MDI child of the current sheet) and the navigation tree, the
// corpus model with the open base, the current report and the group held by the container.
// ServicesAtelier gathers them all, as the main window gives them.
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

// Status and progress.
class ServicesProgression {
  public:
    virtual ~ServicesProgression() = default;
    virtual void SetStatusText(const QString& texte) = 0;
    virtual void ResetProgress() = 0;
    // A progress callback for a computation run in nbEtapes stages of about a hundred calls each (the
    // engine's callbacks say theirs): the workbench scales the calls so that the whole computation fills
    // its bar once.
    virtual std::function<void(int32_t)> Etapes(int nbEtapes) = 0;
};

// Where windows open, and the tree that lists them.
class ServicesPlacement {
  public:
    virtual ~ServicesPlacement() = default;
    // The window that owns the dialogs and message boxes of the commands.
    virtual QWidget* Cadre() = 0;
    // Docks a list window at the end of ListesGauche as a new page, and shows that page.
    virtual void DockeDansListesGauche(QWidget* fenetre, const QString& titre) = 0;
    // Makes an analysis window an MDI child of the current sheet and shows it.
    virtual QMdiSubWindow* AjouteFenetre(QWidget* fenetre) = 0;
    virtual void AmeneAuPremierPlan(QWidget* fenetre) = 0;
    virtual void Mosaique() = 0;
    virtual TFenNavig* Navigation() = 0;
    // Brings the text view of a base forward on the occurrence at a text position (opening the view
    // again if it was closed); a workbench without a text view does nothing.
    virtual void MontreOccurrence(const t3::charg1* /*base*/, int32_t /*position*/) {}
};

// The corpus model, the open base and the group held by the container.
class ServicesModele {
  public:
    virtual ~ServicesModele() = default;
    virtual t3::Corpus& CorpusModele() = 0;
    // The open base: the last one opened; null before.
    virtual t3::charg1* Chargeur() = 0;
    // The group held by the container; null before a drop.
    virtual const t3::Tgen* GroupeCourant() const = 0;
};

// The current report.
class ServicesRapport {
  public:
    virtual ~ServicesRapport() = default;
    // The current report; null before a base is opened.
    virtual RapportCourant* Rapport() = 0;
};

class ServicesAtelier : public ServicesProgression,
                        public ServicesPlacement,
                        public ServicesModele,
                        public ServicesRapport {};

} // namespace t3ui
