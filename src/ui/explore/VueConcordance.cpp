#include "ui/explore/VueConcordance.h"

#include "engine/corpus/charg1.h"
#include "engine/explore/Concordance.h"
#include "ui/explore/ListeGlissable.h"
#include "ui/explore/TTgenDragObject.h"
#include "ui/shell/TexteQt.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <cmath>
#include <vector>

namespace t3ui {

namespace {

// Left margin of the rows' text, in pixels.
constexpr int Marge = 3;

// Paints a row as pieces placed by their character index, so that the bold pivot and the selection
// stay on the grid of the fixed-width font.
class DelegueConcordance : public QStyledItemDelegate {
  public:
    explicit DelegueConcordance(VueConcordance* vue) : QStyledItemDelegate(vue), m_vue(vue) {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        const int largeur =
            2 * Marge + static_cast<int>(std::ceil(m_vue->Colonnes() * m_vue->LargeurCaractere()));
        return {largeur, QFontMetrics(m_vue->font()).height() + 2};
    }

    void paint(QPainter* peintre, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        peintre->save();
        if (option.state & QStyle::State_Selected) {
            QColor fond = option.palette.color(QPalette::Highlight);
            fond.setAlpha(45);
            peintre->fillRect(option.rect, fond);
        }
        const QColor texte = option.palette.color(QPalette::Text);
        Dessine(*peintre, option.rect, index, texte,
                index.data(ModeleConcordance::RoleCouleurPivot).value<QColor>());
        const SelectionCaracteres& selection = m_vue->Selection();
        if (selection.ligne == index.row() && !selection.Vide()) {
            const qreal l = m_vue->LargeurCaractere();
            const QRectF zone(option.rect.left() + Marge + selection.Debut() * l, option.rect.top(),
                              (selection.Fin() - selection.Debut()) * l, option.rect.height());
            peintre->setClipRect(zone);
            peintre->fillRect(zone, option.palette.color(QPalette::Highlight));
            const QColor surligne = option.palette.color(QPalette::HighlightedText);
            Dessine(*peintre, option.rect, index, surligne, surligne);
        }
        peintre->restore();
    }

  private:
    void Dessine(QPainter& peintre, const QRect& rect, const QModelIndex& index, const QColor& couleur,
                 const QColor& couleurPivot) const {
        const QString ligne = index.data(Qt::DisplayRole).toString();
        if (index.data(ModeleConcordance::RoleEntete).toBool()) {
            Morceau(peintre, rect, 0, ligne, true, couleur);
            return;
        }
        const int debut = index.data(ModeleConcordance::RoleDebutPivot).toInt();
        const int longueur = index.data(ModeleConcordance::RoleLongueurPivot).toInt();
        Morceau(peintre, rect, 0, ligne.left(debut), false, couleur);
        Morceau(peintre, rect, debut, ligne.mid(debut, longueur), true, couleurPivot);
        Morceau(peintre, rect, debut + longueur, ligne.mid(debut + longueur), false, couleur);
    }

    void Morceau(QPainter& peintre, const QRect& rect, int debut, const QString& texte, bool gras,
                 const QColor& couleur) const {
        QFont police = m_vue->font();
        police.setBold(gras);
        peintre.setFont(police);
        peintre.setPen(couleur);
        const QFontMetricsF mesure(police);
        const qreal ligneDeBase = rect.top() + (rect.height() - mesure.height()) / 2 + mesure.ascent();
        peintre.drawText(QPointF(rect.left() + Marge + debut * m_vue->LargeurCaractere(), ligneDeBase),
                         texte);
    }

    VueConcordance* m_vue;
};

} // namespace

// --- Model

ModeleConcordance::ModeleConcordance(QObject* parent)
    : QAbstractListModel(parent), m_gardee(std::make_unique<t3::LigneConcordance>()) {}

ModeleConcordance::~ModeleConcordance() = default;

int ModeleConcordance::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_concordance ? 0 : m_concordance->NbLignes();
}

Qt::ItemFlags ModeleConcordance::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

const t3::LigneConcordance& ModeleConcordance::Ligne(int ligne) const {
    if (ligne != m_ligneGardee) {
        m_concordance->Ligne(ligne, *m_gardee);
        m_ligneGardee = ligne;
    }
    return *m_gardee;
}

QString ModeleConcordance::Texte(int ligne) const {
    if (ligne < 0 || ligne >= rowCount()) return {};
    if (m_concordance->EstEntete(ligne)) return VersQt(m_concordance->TexteEntete(ligne));
    const t3::LigneConcordance& l = Ligne(ligne);
    return VersQt(l.gauche) + ' ' + VersQt(l.pivot) + ' ' + VersQt(l.droite);
}

QVariant ModeleConcordance::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const int ligne = index.row();
    const bool entete = m_concordance->EstEntete(ligne);
    switch (role) {
    case Qt::DisplayRole:
        return MarqueInvisibles(Texte(ligne));
    case Qt::ToolTipRole: {
        const QString indication = IndicationInvisibles(Texte(ligne));
        return indication.isEmpty() ? QVariant() : QVariant(indication);
    }
    case RoleEntete:
        return entete;
    case RoleDebutPivot:
        return entete ? 0 : m_concordance->Largeur() + 1;
    case RoleLongueurPivot:
        // One character a byte: the text is Windows-1252.
        return entete ? 0 : static_cast<int>(Ligne(ligne).pivot.size());
    case RoleCouleurPivot:
        return m_couleurPivot;
    case RolePosition:
        return m_concordance->Position(ligne);
    default:
        return {};
    }
}

void ModeleConcordance::SetConcordance(std::unique_ptr<t3::Concordance> concordance,
                                       const QColor& couleurPivot) {
    beginResetModel();
    m_concordance = std::move(concordance);
    m_couleurPivot = couleurPivot;
    m_ligneGardee = -1;
    endResetModel();
}

void ModeleConcordance::Actualise() {
    beginResetModel();
    m_ligneGardee = -1;
    endResetModel();
}

// --- View

VueConcordance::VueConcordance(QWidget* parent) : QListView(parent) {
    setObjectName("ConcorEdit");
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_largeurCaractere = QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M'));
    m_modele = new ModeleConcordance(this);
    setModel(m_modele);
    setItemDelegate(new DelegueConcordance(this));
    // Every row as high and wide as the first: nothing is measured row by row.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);
    connect(m_modele, &QAbstractItemModel::modelReset, this, [this] {
        m_selection = {};
        m_texteRetenu.clear();
    });
}

void VueConcordance::SetColonnes(int colonnes) {
    m_colonnes = colonnes;
}

int VueConcordance::MargeTexte() const {
    return Marge;
}

void VueConcordance::SetSelection(const SelectionCaracteres& selection) {
    m_selection = selection;
    viewport()->update();
}

QString VueConcordance::TexteSelectionne() const {
    if (m_selection.Vide()) return {};
    return m_modele->Texte(m_selection.ligne)
        .mid(m_selection.Debut(), m_selection.Fin() - m_selection.Debut());
}

QString VueConcordance::TexteACopier() const {
    std::vector<int> lignes;
    for (const QItemSelectionRange& bloc : selectionModel()->selection())
        for (int ligne = bloc.top(); ligne <= bloc.bottom(); ++ligne)
            lignes.push_back(ligne);
    std::sort(lignes.begin(), lignes.end());
    lignes.erase(std::unique(lignes.begin(), lignes.end()), lignes.end());
    if (!m_selection.Vide() && (lignes.empty() || (lignes.size() == 1 && lignes[0] == m_selection.ligne)))
        return TexteSelectionne();
    QStringList textes;
    for (int ligne : lignes) {
        QString texte = m_modele->Texte(ligne);
        while (texte.endsWith(' '))
            texte.chop(1);
        textes << texte;
    }
    return textes.join('\n');
}

TTgenDragObject* VueConcordance::ObjetGlisser() {
    const t3::Concordance* concordance = m_modele->GetConcordance();
    const QString forme = m_texteRetenu.trimmed();
    if (!concordance || forme.isEmpty()) return nullptr;
    const int32_t entree = concordance->Base().LocFormDic(VersCp1252(forme));
    if (entree < 0) return nullptr;
    auto* objet = new TTgenDragObject(this, "", t3::CouleurRGB(0, 0, 0), 1);
    objet->SetBase(&concordance->Base());
    objet->Ajoute(entree);
    return objet;
}

int VueConcordance::Caractere(int ligne, int x, bool sous) const {
    const QRect rect = visualRect(m_modele->index(ligne));
    const qreal colonne = (x - rect.left() - Marge) / m_largeurCaractere;
    if (sous) return static_cast<int>(std::floor(colonne));
    return std::clamp(static_cast<int>(std::lround(colonne)), 0,
                      static_cast<int>(m_modele->Texte(ligne).size()));
}

void VueConcordance::mousePressEvent(QMouseEvent* evenement) {
    const QModelIndex index = indexAt(evenement->position().toPoint());
    const bool simple = evenement->button() == Qt::LeftButton &&
                        !(evenement->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    if (!simple || !index.isValid()) {
        // Shift and Ctrl extend the selection of rows, as in any list.
        SetSelection({});
        m_pressionListe = true;
        QListView::mousePressEvent(evenement);
        return;
    }
    const int x = evenement->position().toPoint().x();
    const int sous = Caractere(index.row(), x, true);
    m_texteRetenu = TexteSelectionne();
    setFocus(Qt::MouseFocusReason);
    if (!m_selection.Vide() && m_selection.ligne == index.row() && sous >= m_selection.Debut() &&
        sous < m_selection.Fin()) {
        m_glisserPret = true;
        m_pointPression = evenement->position().toPoint();
        return;
    }
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    const int bord = Caractere(index.row(), x, false);
    SetSelection({index.row(), bord, bord});
    m_selectionEnCours = true;
}

void VueConcordance::mouseMoveEvent(QMouseEvent* evenement) {
    const QPoint point = evenement->position().toPoint();
    if (m_glisserPret) {
        if ((point - m_pointPression).manhattanLength() >= DistanceGlisser) {
            m_glisserPret = false;
            ConcorEditStartDrag();
        }
        return;
    }
    if (m_selectionEnCours) {
        SelectionCaracteres selection = m_selection;
        selection.fin = Caractere(selection.ligne, point.x(), false);
        SetSelection(selection);
        return;
    }
    if (m_pressionListe || evenement->buttons() == Qt::NoButton) QListView::mouseMoveEvent(evenement);
}

void VueConcordance::mouseReleaseEvent(QMouseEvent* evenement) {
    if (m_glisserPret) {
        // A click inside the selection, without a drag, leaves the caret there.
        const int bord = Caractere(m_selection.ligne, evenement->position().toPoint().x(), false);
        SetSelection({m_selection.ligne, bord, bord});
    }
    m_glisserPret = false;
    m_selectionEnCours = false;
    if (m_pressionListe) QListView::mouseReleaseEvent(evenement);
    m_pressionListe = false;
}

// The word under the mouse is selected, and its occurrence asked for in the text view.
void VueConcordance::mouseDoubleClickEvent(QMouseEvent* evenement) {
    const QModelIndex index = indexAt(evenement->position().toPoint());
    if (!index.isValid() || evenement->button() != Qt::LeftButton) return;
    const QString texte = m_modele->Texte(index.row());
    const int sous = Caractere(index.row(), evenement->position().toPoint().x(), true);
    if (sous >= 0 && sous < texte.size() && texte[sous] != ' ') {
        int debut = sous, fin = sous;
        while (debut > 0 && texte[debut - 1] != ' ')
            --debut;
        while (fin < texte.size() && texte[fin] != ' ')
            ++fin;
        SetSelection({index.row(), debut, fin});
    }
    const int32_t position = index.data(ModeleConcordance::RolePosition).toInt();
    if (position >= 0) emit OccurrenceChoisie(position);
}

void VueConcordance::keyPressEvent(QKeyEvent* evenement) {
    if (evenement == QKeySequence::Copy) {
        QApplication::clipboard()->setText(TexteACopier());
        evenement->accept();
        return;
    }
    QListView::keyPressEvent(evenement);
}

void VueConcordance::ConcorEditStartDrag() {
    TTgenDragObject* objet = ObjetGlisser();
    if (!objet) return;
    auto* glisser = new QDrag(this);
    glisser->setMimeData(objet);
    const QPixmap image = ListeGlissable::ImageGlisser({m_texteRetenu.trimmed()}, font());
    glisser->setPixmap(image);
    glisser->setHotSpot(QPoint(-8, image.height() / 2));
    LanceGlisser(glisser);
}

} // namespace t3ui
