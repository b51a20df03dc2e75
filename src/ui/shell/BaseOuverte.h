#pragma once
// An open base as the workbench holds it: its loader with the segments attached to it, the path of its
// .par, and its sheet; and, once the base was replaced by a new segmentation of its text, what it left in
// the corpus model. The windows that show a base are marked with it when they are placed, so that they
// close with it.
#include "engine/corpus/Corpus.h"
#include "engine/corpus/FournisseurSegments.h"
#include "engine/corpus/charg1.h"

#include <QString>

#include <memory>

class QObject;
class QWidget;

namespace t3ui {

struct BaseOuverte {
    // Declared first, so that they outlive the loader that borrows them.
    std::shared_ptr<const t3::FournisseurSegments> segments;
    std::unique_ptr<t3::charg1> chargeur;
    QString chemin;   // the canonical path of its .par
    int feuille = -1; // its sheet, once the main window gave it one
    // The partitions and section sets taken out of the corpus model with the base, kept as long as the
    // record for a window that would still show them.
    t3::Corpus::Retrait retrait;
};

// Marks the window as showing the base.
void MarqueBase(QWidget* fenetre, const t3::charg1* base);
// The base the window was marked with; null for none.
const t3::charg1* BaseDeFenetre(const QObject* fenetre);

} // namespace t3ui
