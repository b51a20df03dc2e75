#pragma once
// The one crossing of text between the bases (Windows-1252 bytes) and Qt (Unicode).
#include <QString>
#include <QVariant>

#include <string>
#include <string_view>

namespace t3ui {

QString VersQt(std::string_view cp1252);
// A graphie as the lists and contexts show it, on screen only: the characters one cannot see (a
// no-break space, a soft hyphen, a control character) replaced by a visible mark, so that "sécurité"
// and "sécurité" followed by a no-break space no longer look alike. Exports, the clipboard, drags and
// report pages keep the stored characters.
QString VersQtVisible(std::string_view cp1252);
// The same on a text already in Qt; one character for one, so that positions stay as they were.
QString MarqueInvisibles(QString texte);
// The hint that says what the marks of VersQtVisible stand for; empty when the graphie has none.
QString IndicationInvisibles(std::string_view cp1252);
QString IndicationInvisibles(const QString& texte);
// A graphie's cell in a list: its visible text for Qt::DisplayRole, its hint for Qt::ToolTipRole,
// nothing for the other roles.
QVariant GraphieAffichee(std::string_view cp1252, int role);
std::string VersCp1252(const QString& texte);
// Paths cross as the file system's own bytes (UTF-8 here), not as base text.
std::string CheminLocal(const QString& chemin);
QString CheminQt(const std::string& chemin);

} // namespace t3ui
