#pragma once
// What the main window needs of the current report: whether it holds unsaved entries, and its
// publication, which answers whether everything could be published (with the French text of what was
// missing otherwise).
#include <QString>

namespace t3ui {

class RapportCourant {
public:
    virtual ~RapportCourant() = default;
    virtual bool Sauve() const = 0;
    virtual bool Publie(QString& manques) = 0;
};

} // namespace t3ui
