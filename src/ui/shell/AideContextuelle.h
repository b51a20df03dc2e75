#pragma once
// The manual opened at the section of the window the user is in: by the "?" button and F1 of the main
// window, by F1 in every dialog, and by the dialogs' own "Aide" buttons.
#include <QString>
#include <QStringList>

class QWidget;

namespace t3ui {

// The anchor of the manual's section about the widget's window: the first of the widget and its
// parents whose class has a section; empty when none has (the manual's start).
QString AncreAide(const QWidget* widget);

// Every anchor that the windows open the manual at.
QStringList AncresAide();

// Opens the manual at the section of contexte (at its start when contexte is null or has none).
void OuvreAide(QWidget* parent, const QWidget* contexte);

} // namespace t3ui
