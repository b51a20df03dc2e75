#pragma once
// How a window adds an HTML page to the current report: the page is written whole into the report's
// folder (under a temporary name, then renamed, so that a failed write leaves no page that looks
// complete), then recorded with its title and a blank comment.
#include <QString>

#include <functional>
#include <ostream>

class QWidget;

namespace t3ui {

class ServicesRapport;

// The date and time the report pages show: the long French date, " - ", hours and minutes
// ("mercredi 9 décembre 2026 - 15:04").
QString DateRapport();

// False, after a French message, when the page could not be written; also false, silently, when there is
// no report (no base open). parametres: those of the window, for the manifest.
bool AjoutePageAuRapport(ServicesRapport& services, QWidget* fenetre, const QString& fichier,
                         const QString& titre, const std::function<void(std::ostream&)>& ecrit,
                         const QString& parametres = {});

} // namespace t3ui
