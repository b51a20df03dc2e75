#pragma once
// What a window does to answer "Ajouter au rapport": it writes its content (an HTML page or a JPEG
// picture) into the current report. The toolbar button calls it on the active child window, after the
// click has returned; windows that do not implement it ignore the call.
namespace t3ui {

class FenetreRapport {
  public:
    virtual ~FenetreRapport() = default;
    virtual void AjouteAuRapport() = 0;
};

} // namespace t3ui
