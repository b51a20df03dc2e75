#pragma once
// The one crossing of text between the bases (Windows-1252 bytes) and Qt (Unicode).
#include <QString>

#include <string>
#include <string_view>

namespace t3ui {

QString VersQt(std::string_view cp1252);
std::string VersCp1252(const QString& texte);
// Paths cross as the file system's own bytes (UTF-8 here), not as base text.
std::string CheminLocal(const QString& chemin);
QString CheminQt(const std::string& chemin);

} // namespace t3ui
