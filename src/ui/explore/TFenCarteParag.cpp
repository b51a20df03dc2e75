#include "ui/explore/TFenCarteParag.h"

#include "engine/corpus/Corpus.h"
#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"
#include "engine/corpus/charg1.h"
#include "engine/explore/SpecifsSections.h"
#include "engine/explore/TexteSection.h"
#include "engine/rapport/Manifeste.h"
#include "engine/socle/NomFichier.h"
#include "engine/stats/Tgen.h"
#include "ui/afc/FenetresAFC.h"
#include "ui/explore/CibleGroupes.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/TFenParamCarte.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/Couleurs.h"
#include "ui/shell/Dialogues.h"
#include "ui/shell/EnregistrementImage.h"
#include "ui/shell/NumerotationRapport.h"
#include "ui/shell/PageRapport.h"
#include "ui/shell/RapportCourant.h"
#include "ui/shell/Sablier.h"
#include "ui/shell/ServicesAtelier.h"
#include "ui/shell/TacheDeFond.h"
#include "ui/shell/TexteQt.h"
#include "ui/stats/ParametresSpecificites.h"
#include "ui/stats/TFenSpecGrp.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace t3ui {

namespace {

const QString AucuneSection =
    QStringLiteral("Aucune section : les délimiteurs choisis n'apparaissent pas dans le texte.");

// The drawing surface: as large as the map, it paints only the band asked for.
class SurfaceCarte : public QWidget {
  public:
    explicit SurfaceCarte(TFenCarteParag* carte) : m_carte(carte) {
        setObjectName("PaintBox1");
        setAcceptDrops(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* evenement) override {
        QPainter peintre(this);
        m_carte->PaintBox1Paint(peintre, evenement->rect());
    }
    void mousePressEvent(QMouseEvent* evenement) override {
        if (evenement->button() == Qt::LeftButton)
            m_carte->PaintBox1MouseDown(evenement->position().toPoint(), evenement->modifiers());
    }
    // Only a group is accepted; with Ctrl it goes over the main one.
    void dragEnterEvent(QDragEnterEvent* evenement) override { PaintBox1DragOver(evenement); }
    void dragMoveEvent(QDragMoveEvent* evenement) override { PaintBox1DragOver(evenement); }
    void dropEvent(QDropEvent* evenement) override {
        const TTgenDragObject* objet = GroupeDuGlisser(evenement->mimeData());
        if (objet && m_carte->PaintBox1DragDrop(*objet, evenement->modifiers()))
            evenement->accept();
        else
            evenement->ignore();
    }

  private:
    // A group is taken; with Ctrl, as the second group, the drag then showing the multiple-drag cursor.
    static void PaintBox1DragOver(QDragMoveEvent* evenement) {
        if (!GroupeDuGlisser(evenement->mimeData())) {
            evenement->ignore();
            return;
        }
        const bool second =
            (evenement->modifiers() & Qt::ControlModifier) && (evenement->possibleActions() & Qt::LinkAction);
        evenement->setDropAction(second ? Qt::LinkAction : Qt::CopyAction);
        evenement->accept();
    }

    TFenCarteParag* m_carte;
};

// The partitions' list is filled again each time it drops down: partitions opened since show there.
class ListeParts : public QComboBox {
  public:
    std::function<void()> avantOuverture;

  protected:
    void showPopup() override {
        if (avantOuverture) avantOuverture();
        QComboBox::showPopup();
    }
};

void PeintForme(QFrame* forme, const QColor& couleur) {
    forme->setStyleSheet(QString("QFrame { background: %1; border: 1px solid black; }").arg(couleur.name()));
}

// An outline of width epaisseur inside the box.
void Contour(QPainter& peintre, int x, int y, int s, int epaisseur, const QColor& couleur) {
    peintre.fillRect(x, y, s, epaisseur, couleur);
    peintre.fillRect(x, y + s - epaisseur, s, epaisseur, couleur);
    peintre.fillRect(x, y, epaisseur, s, couleur);
    peintre.fillRect(x + s - epaisseur, y, epaisseur, s, couleur);
}

// A text whose top-left corner is at (x, y).
void Ecrit(QPainter& peintre, int x, int y, const QString& texte) {
    peintre.drawText(QRect(x, y, 4000, 100), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, texte);
}

} // namespace

// --- The section text

TexteSection::TexteSection(const t3::charg1* base, QWidget* parent) : QTextEdit(parent), m_base(base) {
    setObjectName("ParagEdit");
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

TTgenDragObject* TexteSection::ObjetGlisser() {
    const QString forme = m_mot.trimmed();
    if (!m_base || forme.isEmpty()) return nullptr;
    const int32_t entree = m_base->LocFormDic(VersCp1252(forme));
    if (entree < 0 || entree >= m_base->Nbform()) return nullptr;
    auto* objet = new TTgenDragObject(this, "", t3::CouleurRGB(0, 0, 0), 1);
    objet->SetBase(m_base);
    objet->Ajoute(entree);
    return objet;
}

// A press inside the selection may start a drag of it; anywhere else it selects as usual.
void TexteSection::mousePressEvent(QMouseEvent* evenement) {
    const QTextCursor selection = textCursor();
    if (evenement->button() == Qt::LeftButton && selection.hasSelection()) {
        const int sous = cursorForPosition(evenement->position().toPoint()).position();
        if (sous >= selection.selectionStart() && sous < selection.selectionEnd()) {
            m_mot = selection.selectedText();
            m_glisserPret = true;
            m_pointPression = evenement->position().toPoint();
            return;
        }
    }
    QTextEdit::mousePressEvent(evenement);
}

void TexteSection::mouseMoveEvent(QMouseEvent* evenement) {
    if (!m_glisserPret) {
        QTextEdit::mouseMoveEvent(evenement);
        return;
    }
    if ((evenement->position().toPoint() - m_pointPression).manhattanLength() < DistanceGlisser) return;
    m_glisserPret = false;
    // A selection that is not a form is not dragged.
    TTgenDragObject* objet = ObjetGlisser();
    if (!objet) return;
    auto* glisser = new QDrag(this);
    glisser->setMimeData(objet);
    const QPixmap image = ListeGlissable::ImageGlisser({m_mot.trimmed()}, font());
    glisser->setPixmap(image);
    glisser->setHotSpot(QPoint(-8, image.height() / 2));
    LanceGlisser(glisser);
}

void TexteSection::mouseReleaseEvent(QMouseEvent* evenement) {
    if (m_glisserPret) {
        // A click inside the selection, without a drag, leaves the caret there.
        m_glisserPret = false;
        setTextCursor(cursorForPosition(evenement->position().toPoint()));
        return;
    }
    QTextEdit::mouseReleaseEvent(evenement);
}

// --- The window

TFenCarteParag::TFenCarteParag(ServicesAtelier& services, t3::Section* section, t3::charg1* base)
    : m_services(services), m_section(section), m_base(base), m_selection(section->NbSections()),
      m_presence1(section->NbSections()), m_presence2(section->NbSections()) {
    setObjectName("FenCarteParag");
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette blanc = palette();
    blanc.setColor(QPalette::Window, Qt::white);
    setPalette(blanc);
    setAutoFillBackground(true);

    m_surface = new SurfaceCarte(this);
    m_defilement = new QScrollArea;
    m_defilement->setObjectName("ScrollBox1");
    m_defilement->setWidget(m_surface);
    m_defilement->setBackgroundRole(QPalette::Base);

    auto* separateur = new QSplitter(Qt::Vertical);
    separateur->setObjectName("Splitter1");
    separateur->addWidget(m_defilement);
    separateur->addWidget(CreePanTexte());
    // The map takes most of the height, the text keeps a few lines.
    separateur->setStretchFactor(0, 3);
    separateur->setStretchFactor(1, 1);
    separateur->setSizes({300, 100});

    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    // The controls keep their size in a narrow window: the row of them scrolls sideways instead.
    auto* haut = new QScrollArea;
    haut->setFrameShape(QFrame::NoFrame);
    haut->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    haut->setWidgetResizable(true);
    haut->setWidget(CreePanneauHaut());
    haut->setFixedHeight(haut->widget()->sizeHint().height() +
                         haut->horizontalScrollBar()->sizeHint().height());
    disposition->addWidget(haut);
    disposition->addWidget(separateur, 1);

    Dispose();
    ChargeParts();
    MetAJourBoutons();
    MontreTexte();
    // The whole map, however little of it the scroll box shows.
    InstalleEnregistrementImage(this, {m_surface}, [this] {
        const QSize taille(m_disposition->Largeur(), m_disposition->Hauteur());
        return ImageAEnregistrer{
            taille, [this, taille](QPainter& peintre) { PaintBox1Paint(peintre, QRect(QPoint(), taille)); },
            "carte-sections", "Réduisez la taille des boîtes pour une carte moins haute."};
    });
    resize(720, 390);
}

TFenCarteParag::~TFenCarteParag() = default;

QToolButton* TFenCarteParag::CreeBouton(const QString& nom, const QString& texte, const QString& aide,
                                        void (TFenCarteParag::*clic)()) {
    auto* bouton = new QToolButton;
    bouton->setObjectName(nom);
    bouton->setText(texte);
    bouton->setToolTip(aide);
    bouton->setAutoRaise(false);
    connect(bouton, &QToolButton::clicked, this, clic);
    return bouton;
}

QToolButton* TFenCarteParag::Bouton(const QString& nom) const {
    return findChild<QToolButton*>(nom);
}

QWidget* TFenCarteParag::CreePanneauHaut() {
    auto* panneau = new QWidget;
    panneau->setObjectName("PanneauHaut");
    auto* ligne = new QHBoxLayout(panneau);
    ligne->setContentsMargins(4, 2, 4, 2);
    ligne->addWidget(CreeBouton("SpfButton", "Spécifs", "Spécificités des sections sélectionnées",
                                &TFenCarteParag::SpfButtonClick));
    ligne->addWidget(CreeBouton("BtnSpfSectTgen", "Spécifs groupes",
                                "Spécificités des sections où figurent les groupes",
                                &TFenCarteParag::BtnSpfSectTgenClick));
    auto* lbPart = new QLabel("Partition :");
    lbPart->setObjectName("LbPart");
    ligne->addWidget(lbPart);
    auto* liste = new ListeParts;
    liste->avantOuverture = [this] { ChargeParts(); };
    m_comboGrp = liste;
    m_comboGrp->setObjectName("ComboGrp");
    m_comboGrp->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_comboGrp, &QComboBox::currentIndexChanged, this, &TFenCarteParag::ComboGrpChange);
    ligne->addWidget(m_comboGrp);

    const auto groupe = [&](QLabel*& nom, QFrame*& forme, const QString& nomLabel, const QString& nomForme) {
        nom = new QLabel;
        nom->setObjectName(nomLabel);
        forme = new QFrame;
        forme->setObjectName(nomForme);
        forme->setFixedSize(14, 14);
        PeintForme(forme, Qt::gray);
        ligne->addWidget(forme);
        ligne->addWidget(nom);
    };
    groupe(m_lbTgen1, m_shTgen1, "LbTgen1", "ShTgen1");
    groupe(m_lbTgenSup, m_shTgenSup, "LbTgenSup", "ShTgenSup");

    m_trackBar = new QSlider(Qt::Horizontal);
    m_trackBar->setObjectName("TrackBar1");
    m_trackBar->setRange(t3::DispositionCarte::TailleMin, t3::DispositionCarte::TailleMax);
    m_trackBar->setValue(t3::DispositionCarte::TailleInitiale);
    m_trackBar->setMaximumWidth(110);
    m_trackBar->setToolTip("Taille des boîtes");
    m_lbTailleBoite = new QLabel(QString::number(m_taille));
    m_lbTailleBoite->setObjectName("LbTailleBoite");
    connect(m_trackBar, &QSlider::valueChanged, this, &TFenCarteParag::TrackBar1Change);
    ligne->addWidget(m_trackBar);
    ligne->addWidget(m_lbTailleBoite);
    ligne->addWidget(CreeBouton("BtnCol", "Couleurs", "Réglages", &TFenCarteParag::BtnColClick));
    m_chkSeuil = new QCheckBox("seuillage");
    m_chkSeuil->setObjectName("ChkSeuil");
    connect(m_chkSeuil, &QCheckBox::toggled, m_surface, qOverload<>(&QWidget::update));
    ligne->addWidget(m_chkSeuil);
    ligne->addStretch();
    return panneau;
}

QWidget* TFenCarteParag::CreePanTexte() {
    auto* panneau = new QWidget;
    panneau->setObjectName("PanTexte");
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(
        CreeBouton("BtnAjouteRap", "&Rapport", "Ajouter au rapport", &TFenCarteParag::BtnAjouteRapClick));
    const auto paire = [&](const QString& titre, QToolButton* precedent, QToolButton* suivant) {
        auto* cadre = new QGroupBox(titre);
        auto* ligne = new QHBoxLayout(cadre);
        ligne->setContentsMargins(4, 0, 4, 0);
        ligne->addWidget(precedent);
        ligne->addWidget(suivant);
        boutons->addWidget(cadre);
    };
    paire("Section : ", CreeBouton("BtnSecPrec", "<", "Section précédente", &TFenCarteParag::BtnSecPrecClick),
          CreeBouton("BtnSecSuiv", ">", "Section suivante", &TFenCarteParag::BtnSecSuivClick));
    paire("Occurrence :",
          CreeBouton("BtnOccPrec", "<", "Occurrence précédente", &TFenCarteParag::BtnOccPrecClick),
          CreeBouton("BtnOccSuiv", ">", "Occurrence suivante", &TFenCarteParag::BtnOccSuivClick));
    boutons->addStretch();
    m_texte = new TexteSection(m_base);
    auto* colonne = new QVBoxLayout(panneau);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->addLayout(boutons);
    colonne->addWidget(m_texte, 1);
    return panneau;
}

// The layout for the box size and the partition; the surface takes its size.
void TFenCarteParag::Dispose() {
    std::vector<int32_t> premieres;
    if (m_partition) premieres = t3::PremieresSections(m_series);
    m_disposition =
        std::make_unique<t3::DispositionCarte>(m_section->NbSections(), m_taille, std::move(premieres));
    m_surface->setFixedSize(m_disposition->Largeur(), m_disposition->Hauteur());
    m_surface->update();
}

// --- Drawing

void TFenCarteParag::PaintBox1Paint(QPainter& peintre, const QRect& zone, int32_t finSections) {
    peintre.fillRect(zone, Qt::white);
    const int32_t n = m_section->NbSections();
    if (n == 0) {
        peintre.setPen(Qt::black);
        Ecrit(peintre, 20, 5, AucuneSection);
        return;
    }
    if (finSections < 0) finSections = n;
    const t3::DispositionCarte& carte = *m_disposition;
    const int s = carte.Taille();
    const int y0 = zone.top(), y1 = zone.bottom() + 1;
    auto [debut, fin] = carte.SectionsVisibles(y0, y1);
    fin = std::min(fin, finSections);
    const bool seuillage = m_principal && m_chkSeuil->isChecked();
    std::vector<int32_t> coefficients;
    if (seuillage && debut < fin)
        coefficients = t3::CoefficientsSections(*m_section, m_principal->Positions(), debut, fin);
    const QColor second = m_second ? VersQColor(m_second->GetCouleur()) : QColor();
    for (int32_t i = debut; i < fin; ++i) {
        const std::optional<t3::PositionBoite> boite = carte.Position(i);
        if (!boite) continue;
        const int x = boite->x, y = boite->y;
        const bool present = m_presence1.Teste(i);
        t3::Couleur fond = t3::CouleurBlanche;
        if (present)
            fond = seuillage
                       ? t3::NuanceSelonCoefficient(m_nuances, coefficients[static_cast<size_t>(i - debut)],
                                                    m_seuil1, m_seuil2)
                       : m_nuances.pleine;
        peintre.fillRect(x, y, s, s, VersQColor(fond));
        // The second group fills the box, or its left half when the main group is there too.
        if (m_presence2.Teste(i)) {
            const int h = present ? s / 2 + 1 : s;
            peintre.fillRect(QRect(QPoint(x + 1, y + 1), QPoint(x + h - 1, y + s - 2)), second);
        }
        if (i == m_courante)
            Contour(peintre, x, y, s, 3, Qt::blue);
        else if (m_selection.Teste(i))
            Contour(peintre, x, y, s, 2, Qt::blue);
        else
            Contour(peintre, x, y, s, 1, Qt::black);
    }

    QFont petite = font();
    petite.setPointSize(6);
    peintre.setFont(petite);
    peintre.setPen(Qt::black);
    for (const t3::NumeroDeRang& numero : carte.NumerosVisibles(y0, y1))
        if (numero.numero <= finSections) Ecrit(peintre, numero.x, numero.y, QString::number(numero.numero));

    if (!m_partition) return;
    QFont entete = font();
    entete.setPointSize(8);
    peintre.setFont(entete);
    const QFontMetrics mesure(entete);
    peintre.setPen(Qt::red);
    for (const t3::EnteteSerie& serie : carte.EntetesVisibles(y0, y1)) {
        const t3::SerieSections& run = m_series[static_cast<size_t>(serie.serie)];
        if (run.premiere >= finSections && run.premiere > 0) continue;
        const auto [cle, partie] = t3::TextesEntete(*m_partition, run);
        const QString texteCle = VersQt(cle);
        Ecrit(peintre, serie.x, serie.y - 3, texteCle);
        const int debutLigne = serie.x + mesure.horizontalAdvance(texteCle) + 3;
        if (debutLigne < carte.XFinEntete())
            peintre.drawLine(debutLigne, serie.y + 2, carte.XFinEntete(), serie.y + 2);
        Ecrit(peintre, carte.XFinEntete() + 5, serie.y - 3, VersQt(partie));
    }
}

int32_t TFenCarteParag::SectionsDansImage(int hauteur) const {
    const int32_t n = m_section->NbSections();
    if (hauteur >= m_disposition->Hauteur()) return n;
    // A box drawn whole has its top at most s above the picture's bottom.
    const auto [debut, fin] = m_disposition->SectionsVisibles(0, hauteur - m_disposition->Taille() + 1);
    return debut < fin ? fin : 0;
}

// --- Mouse and drops

void TFenCarteParag::PaintBox1MouseDown(const QPoint& point, Qt::KeyboardModifiers touches) {
    const int32_t cliquee = m_disposition->SectionEn(point.x(), point.y());
    if (cliquee < 0) return;
    int32_t courante = m_courante;
    t3::ClicSection(m_selection, courante, cliquee, touches.testFlag(Qt::ShiftModifier),
                    touches.testFlag(Qt::ControlModifier));
    Deplace(courante);
}

bool TFenCarteParag::PaintBox1DragDrop(const TTgenDragObject& objet, Qt::KeyboardModifiers touches) {
    std::unique_ptr<t3::Tgen> groupe = GroupeRecu(m_base, objet, /*gardeNom*/ false, this);
    if (!groupe) return false;
    if (touches.testFlag(Qt::ControlModifier)) {
        m_second = std::move(groupe);
        m_presence2 = t3::PresenceGroupe(*m_section, m_second->Positions());
        MontreGroupe(m_lbTgenSup, m_shTgenSup, m_second.get());
    } else {
        m_principal = std::move(groupe);
        m_presence1 = t3::PresenceGroupe(*m_section, m_principal->Positions());
        m_nuances = t3::Nuances(m_principal->GetCouleur());
        MontreGroupe(m_lbTgen1, m_shTgen1, m_principal.get());
        MetAJourBoutons();
    }
    m_surface->update();
    MontreTexte();
    return true;
}

void TFenCarteParag::MontreGroupe(QLabel* nom, QFrame* forme, const t3::Tgen* groupe) {
    nom->setText(VersQt(groupe->Nom()));
    nom->setToolTip(nom->text());
    PeintForme(forme, VersQColor(groupe->GetCouleur()));
}

// --- Controls of the top panel

void TFenCarteParag::TrackBar1Change(int position) {
    m_taille = std::clamp(position, t3::DispositionCarte::TailleMin, t3::DispositionCarte::TailleMax);
    m_lbTailleBoite->setText(QString::number(m_taille));
    Dispose();
}

void TFenCarteParag::ChargeParts() {
    const QSignalBlocker silence(m_comboGrp);
    m_comboGrp->clear();
    m_comboGrp->addItem("<Aucune>", -1);
    const t3::Corpus& corpus = m_services.CorpusModele();
    for (int32_t i = 0; i < corpus.NbPartitions(); ++i) {
        const t3::Partition* partition = corpus.PartitionNo(i);
        if (partition->Base() != m_base) continue;
        m_comboGrp->addItem(VersQt(m_base->Graphie(partition->CleType())), i);
        if (partition == m_partition) m_comboGrp->setCurrentIndex(m_comboGrp->count() - 1);
    }
}

void TFenCarteParag::ComboGrpChange(int index) {
    const int rang = m_comboGrp->itemData(index).toInt();
    const t3::Partition* partition = rang >= 0 ? m_services.CorpusModele().PartitionNo(rang) : nullptr;
    m_partition = partition && partition->Base() == m_base ? partition : nullptr;
    m_series = m_partition ? t3::SeriesSections(*m_section, *m_partition) : std::vector<t3::SerieSections>{};
    Dispose();
}

void TFenCarteParag::BtnColClick() {
    if (!m_principal) return;
    TFenParamCarte reglages(this, m_principal->GetCouleur(), m_seuil1, m_seuil2);
    QToolButton* bouton = Bouton("BtnCol");
    reglages.move(bouton->mapToGlobal(QPoint(0, bouton->height())));
    if (Dialogues::Execute(&reglages) != QDialog::Accepted) return;
    m_nuances = reglages.Nuances();
    m_seuil1 = reglages.Seuil1();
    m_seuil2 = reglages.Seuil2();
    m_surface->update();
}

// --- Moves of the current section

void TFenCarteParag::MetAJourBoutons() {
    const int32_t n = m_section->NbSections();
    Bouton("BtnSecPrec")->setEnabled(m_courante > 0);
    Bouton("BtnSecSuiv")->setEnabled(m_courante + 1 < n);
    Bouton("BtnOccPrec")->setEnabled(m_principal && m_courante > 0);
    Bouton("BtnOccSuiv")->setEnabled(m_principal != nullptr);
}

void TFenCarteParag::Deplace(int32_t section) {
    m_courante = section;
    MetAJourBoutons();
    if (const std::optional<t3::PositionBoite> boite = m_disposition->Position(section)) {
        const int s = m_disposition->Taille();
        m_defilement->ensureVisible(boite->x + s / 2, boite->y + s / 2, s, s);
    }
    m_surface->update();
    MontreTexte();
}

void TFenCarteParag::BtnSecPrecClick() {
    if (m_courante > 0) Deplace(m_courante - 1);
}

void TFenCarteParag::BtnSecSuivClick() {
    if (m_courante + 1 < m_section->NbSections()) Deplace(m_courante + 1);
}

// None in that direction: a beep, and the button is disabled until the next move.
void TFenCarteParag::BtnOccPrecClick() {
    if (!m_principal) return;
    const int32_t precedente = t3::OccurrencePrecedente(m_presence1, m_courante);
    if (precedente == m_courante) {
        QApplication::beep();
        Bouton("BtnOccPrec")->setEnabled(false);
        return;
    }
    Deplace(precedente);
}

void TFenCarteParag::BtnOccSuivClick() {
    if (!m_principal) return;
    const int32_t suivante = t3::OccurrenceSuivante(m_presence1, m_courante);
    if (suivante == m_courante) {
        QApplication::beep();
        Bouton("BtnOccSuiv")->setEnabled(false);
        return;
    }
    Deplace(suivante);
}

// The pieces of the current section, the groups in bold in their colours, the keys in blue.
void TFenCarteParag::MontreTexte() {
    m_texte->setUpdatesEnabled(false);
    {
        const QSignalBlocker silence(m_texte);
        m_texte->clear();
        QTextCursor curseur(m_texte->document());
        const std::vector<int32_t>* principal = m_principal ? &m_principal->Positions() : nullptr;
        const std::vector<int32_t>* second = m_second ? &m_second->Positions() : nullptr;
        for (const t3::MorceauSection& morceau :
             t3::MorceauxSection(*m_section, m_courante, principal, second)) {
            QTextCharFormat format;
            switch (morceau.style) {
            case t3::StyleMorceau::Normal:
                break;
            case t3::StyleMorceau::GroupePrincipal:
                format.setFontWeight(QFont::Bold);
                format.setForeground(VersQColor(t3::CouleurAffichee(m_principal->GetCouleur())));
                break;
            case t3::StyleMorceau::GroupeSecond:
                format.setFontWeight(QFont::Bold);
                format.setForeground(VersQColor(m_second->GetCouleur()));
                break;
            case t3::StyleMorceau::Cle:
                format.setForeground(QColor(0, 0, 255));
                break;
            }
            curseur.insertText(VersQt(morceau.texte), format);
        }
        m_texte->moveCursor(QTextCursor::Start);
    }
    m_texte->setUpdatesEnabled(true);
}

// --- Specificities

void TFenCarteParag::SpfButtonClick() {
    LanceSpecifs(m_selection, "Aucune section n'est sélectionnée.");
}

void TFenCarteParag::BtnSpfSectTgenClick() {
    LanceSpecifs(m_presence1.Union(m_presence2), "Aucun groupe n'est présent dans les sections.");
}

void TFenCarteParag::LanceSpecifs(const t3::BitsSections& choisies, const QString& siAucune) {
    if (choisies.Compte() == 0) {
        Dialogues::Information(this, siAucune);
        return;
    }
    TFenParamSpecSect parametres(this, m_base->Fmax());
    if (Dialogues::Execute(&parametres) != QDialog::Accepted) return;
    // Computed off the interface thread: on every section of a long text it takes a while.
    std::optional<t3::SpecifsDeSections> specifs = ExecuteEnFond<t3::SpecifsDeSections>(
        "Calcul des spécificités", 1,
        [&](const t3::Arret&, const t3::Progression&) {
            return t3::SpecificitesSections(*m_section, choisies, parametres.Seuil(), parametres.FreqMin(),
                                            t3::DiviseurEtiquettes());
        },
        this);
    if (!specifs) return;
    auto* liste = new TFenSpecGrp(m_services, m_base, std::move(specifs->enregistrements));
    const QString sections = QString::number(specifs->nbSections) + " sections";
    liste->LbCorpRef()->setText(sections);
    liste->LbCorpRef()->setToolTip(sections);
    liste->Montre();
}

// --- Report

void TFenCarteParag::BtnAjouteRapClick() {
    if (m_section->NbSections() == 0) return;
    const std::string page =
        t3::PageSection(*m_section, m_courante, m_principal ? &m_principal->Positions() : nullptr);
    AjoutePageAuRapport(m_services, this, QString::fromStdString(t3::NomPageSection(m_courante)),
                        "Section n°" + QString::number(m_courante),
                        [&page](std::ostream& sortie) { sortie << page; });
}

QString TFenCarteParag::Commentaire() const {
    QString texte = "<CENTER><H3>" + windowTitle().toHtmlEscaped() + "</H3><CENTER><br>\n";
    texte += "<TABLE WIDTH=100% ALIGN=CENTER BORDER=1><TD>Corpus : " +
             CheminQt(m_base->NomBase()).toHtmlEscaped() + "</TD>\n";
    texte += "<TD>Date : " + DateRapport() + "</TD>\n";
    if (m_partition)
        texte +=
            "<TD>Partition = " + VersQt(m_base->Graphie(m_partition->CleType())).toHtmlEscaped() + "</TD>\n";
    return texte + "</TABLE><br>\n";
}

// The whole map as a picture; a map higher than a JPEG allows is cut after its last whole row, and the
// user is told which sections the picture leaves out.
void TFenCarteParag::AjouteAuRapport() {
    RapportCourant* rapport = m_services.Rapport();
    if (!rapport) return;
    const int32_t n = m_section->NbSections();
    const int numero = NumerotationRapport::Prochain(SorteEntree::ImageSection);
    const std::string premier =
        m_section->NbDelimiteurs() > 0 ? std::string(m_base->Graphie(m_section->Delimiteurs().front())) : "";
    const QString fichier = "img-section-" + QString::fromStdString(t3::NomFichierSur(premier)) +
                            QString::number(numero) + ".jpg";
    const int hauteur = std::min(m_disposition->Hauteur(), HauteurImageMax);
    const int32_t montrees = SectionsDansImage(hauteur);
    QImage image(m_disposition->Largeur(), hauteur, QImage::Format_RGB888);
    if (image.isNull()) {
        Dialogues::Information(this, "La mémoire manque pour faire l'image de la carte.");
        return;
    }
    {
        Sablier sablier;
        QPainter peintre(&image);
        PaintBox1Paint(peintre, image.rect(), montrees);
    }
    std::string signes;
    for (const int32_t signe : m_section->Delimiteurs())
        signes += m_base->Graphie(signe);
    QString parametres = QString("sections : %1 ; signes qui les coupent : %2").arg(n).arg(VersQt(signes));
    if (m_partition) parametres += " ; " + QString::fromStdString(t3::ParametresPartition(*m_partition));
    if (!AjouteImageAuRapport(*rapport, this, image, fichier,
                              windowTitle() + "(" + QString::number(numero) + ")", Commentaire(), parametres))
        return;
    NumerotationRapport::Pris(SorteEntree::ImageSection);
    if (montrees < n) {
        const QString manque =
            QString("L'image ajoutée au rapport ne montre que les %1 premières sections sur %2 "
                    "(sections %3 à %2 absentes) : une image JPEG ne peut dépasser 65 500 "
                    "pixels de haut. Réduisez la taille des boîtes pour en montrer davantage.")
                .arg(montrees)
                .arg(n)
                .arg(montrees + 1);
        m_services.SetStatusText(manque);
        Dialogues::Information(this, manque);
    }
}

} // namespace t3ui
