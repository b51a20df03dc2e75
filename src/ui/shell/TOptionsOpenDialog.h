#pragma once
// The open dialog of a new base: a file dialog for texts and documents, with a strip below it whose
// "Options..." button assembles a corpus from several files; the saved corpus is then selected.
#include <QFileDialog>

class QPushButton;

namespace t3ui {

class TOptionsOpenDialog : public QFileDialog {
    Q_OBJECT
  public:
    // The filter of the texts and documents the workbench can segment or assemble.
    static const QString Filtre;

    explicit TOptionsOpenDialog(QWidget* parent = nullptr);
    // True when the user chose a file.
    bool Execute();
    QString Fichier() const;
    // Selects a file in the list, as the corpus assembly does with the corpus it saved.
    void ChoisitFichier(const QString& chemin);
    QPushButton* BoutonOptions() const { return m_bouton; }
    void BoutonOptionsClick();

  private:
    QPushButton* m_bouton;
    QString m_choix;
};

} // namespace t3ui
