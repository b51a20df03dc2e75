#pragma once
// The modal parameter dialogs of the four specificity computations: the selected parts ("Spécifs"),
// the evolutive specificities ("Sp Evol."), all the parts ("Sp. Tot") and the sections of a map. Each
// holds a probability threshold in percent and a minimum frequency.
#include <QDialog>

#include <cstdint>

class QCheckBox;
class QSpinBox;
class QVBoxLayout;

namespace t3ui {

class TFenParamSpecBase : public QDialog {
    Q_OBJECT
  public:
    QSpinBox* BoiteSeuil() const { return m_seuil; }
    QSpinBox* BoiteFrequence() const { return m_frequence; }
    int32_t Seuil() const;
    int32_t FreqMin() const;

  protected:
    // nomSeuil and nomFrequence are the boxes' object names; the frequency box runs from 1 to
    // frequenceMax.
    TFenParamSpecBase(QWidget* parent, const QString& titre, const QString& nomSeuil,
                      const QString& nomFrequence, int frequenceMax);
    // Where a dialog adds its own controls, under the two boxes.
    QVBoxLayout* Autres() const { return m_autres; }
    void Centre();

  private:
    QSpinBox* m_seuil;
    QSpinBox* m_frequence;
    QVBoxLayout* m_autres;
};

// "Spécifs": starts from 5 % and frequency 10 at each opening; fmax: the base's highest frequency.
class TFenParamSpec : public TFenParamSpecBase {
    Q_OBJECT
  public:
    TFenParamSpec(QWidget* parent, int32_t fmax);
};

// "Sp Evol.": starts from the values the partition holds, which its boxes then set. Only the evolutive
// specificities are computed: the chronological box is disabled and says so, and OK needs the evolutive
// box ticked.
class TFenParamSpecDiac : public TFenParamSpecBase {
    Q_OBJECT
  public:
    TFenParamSpecDiac(QWidget* parent, int32_t fmax, int32_t seuil, int32_t freqMin);
    QCheckBox* ChkSpEvl() const { return m_evolutives; }
    QCheckBox* ChkSpChr() const { return m_chronologiques; }

  private:
    QCheckBox* m_evolutives;
    QCheckBox* m_chronologiques;
};

// "Sp. Tot": the boxes take the partition's values; the restriction box is cleared and disabled when
// every part is in the reference corpus, ticked and enabled otherwise.
class TFenParamSpecTot : public TFenParamSpecBase {
    Q_OBJECT
  public:
    TFenParamSpecTot(QWidget* parent, int32_t seuil, int32_t freqMin, bool toutesReference);
    QCheckBox* ChkCorpRef() const { return m_restreint; }
    bool Restreint() const;

  private:
    QCheckBox* m_restreint;
};

// The sections of a map: 5 % and frequency 2; the map sets the frequency range to its base's.
class TFenParamSpecSect : public TFenParamSpecBase {
    Q_OBJECT
  public:
    TFenParamSpecSect(QWidget* parent, int32_t fmax);
};

} // namespace t3ui
