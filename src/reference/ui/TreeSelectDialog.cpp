#include "reference/ui/TreeSelectDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Draws the items the fill marked bold (the "[Transfers]" branch, projects
// that are due) in the bold font.
class BoldItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(TreeModel::BoldRole).toBool())
            option->font.setBold(true);
    }
};

}  // namespace

TreeSelectDialog::TreeSelectDialog(TreePicker::Kind kind, QWidget* parent)
    : QDialog(parent), m_picker(kind), m_model(this), m_tree(new QTreeView(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    const QString title =
        QString::fromLatin1(kind == TreePicker::Kind::Category ? CategoryTitle : ProjectTitle);
    setWindowTitle(title);
    setAccessibleName(title);
    m_tree->setModel(&m_model);
    m_tree->setItemDelegate(new BoldItemDelegate(m_tree));
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setAccessibleName(
        QString::fromLatin1(kind == TreePicker::Kind::Category ? "Categories" : "Projects"));
    m_buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TreeSelectDialog::selectionMoved);
    connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_picker.canAccept(m_model.idAt(index)))
            accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_buttons);
    resize(320, 420);
}

qint32 TreeSelectDialog::pick(TreeItems items, quint64 changeCount, qint32 current)
{
    const qint32 shown = items.find(current) >= 0 ? current : m_picker.remembered();
    m_model.reset(std::move(items), changeCount, shown);
    expandAsFilled({});
    const QModelIndex selected = m_model.selectedIndex();
    m_tree->setCurrentIndex(selected);
    m_tree->scrollTo(selected);
    selectionMoved();
    m_tree->setFocus();
    if (exec() != QDialog::Accepted)
        return 0;
    return m_picker.accept(selectedId());
}

qint32 TreeSelectDialog::selectedId() const
{
    return m_model.idAt(m_tree->currentIndex());
}

void TreeSelectDialog::selectionMoved()
{
    const QModelIndex current = m_tree->currentIndex();
    m_buttons->button(QDialogButtonBox::Ok)
        ->setEnabled(current.isValid() && m_picker.canAccept(selectedId()));
}

void TreeSelectDialog::expandAsFilled(const QModelIndex& parent)
{
    for (int row = 0; row < m_model.rowCount(parent); ++row) {
        const QModelIndex child = m_model.index(row, 0, parent);
        if (m_model.data(child, TreeModel::ExpandedRole).toBool())
            m_tree->expand(child);
        expandAsFilled(child);
    }
}
