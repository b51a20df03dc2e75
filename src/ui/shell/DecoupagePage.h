#pragma once
// The text page of a large base is shown a part at a time: a view lays out a few hundred kilobytes of
// HTML at once, not the whole text. The page is cut at line breaks (or, in a text without them, at a
// blank outside any tag and any highlighted span), and each part is shown under the page's own head.
#include <QByteArray>
#include <QString>

#include <vector>

namespace t3ui {

struct DecoupagePage {
    QByteArray entete;          // the head of the page, up to the line of <body> included
    std::vector<qint64> debuts; // where each part starts in the file, then where the body ends
    int NbParties() const { return debuts.empty() ? 0 : static_cast<int>(debuts.size()) - 1; }
};

// Cuts the page at chemin into parts of about taillePartie bytes; false when it cannot be read.
bool DecoupePage(const QString& chemin, qint64 taillePartie, DecoupagePage& decoupage);
// The HTML of one part, standing alone: the head, the part, the end of the page.
QByteArray LitPartie(const QString& chemin, const DecoupagePage& decoupage, int partie);

} // namespace t3ui
