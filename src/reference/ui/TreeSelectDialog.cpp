#include "reference/ui/TreeSelectDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

TreeSelectDialog::TreeSelectDialog(TreePicker::Kind kind, QWidget* parent)
    : QDialog(parent), m_picker(kind), m_tree(new TreeEditView(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      m_create(m_buttons->addButton(QString::fromLatin1(CreateText), QDialogButtonBox::ActionRole)),
      m_delete(m_buttons->addButton(QString::fromLatin1(DeleteText), QDialogButtonBox::ActionRole))
{
    const QString title =
        QString::fromLatin1(kind == TreePicker::Kind::Category ? CategoryTitle : ProjectTitle);
    setWindowTitle(title);
    setAccessibleName(title);
    m_tree->setAccessibleName(
        QString::fromLatin1(kind == TreePicker::Kind::Category ? "Categories" : "Projects"));
    m_buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    m_create->setAccessibleName(QString::fromLatin1(CreateText));
    m_delete->setAccessibleName(QString::fromLatin1(DeleteText));
    // Enter in the tree chooses; the two tree commands never take it.
    m_create->setAutoDefault(false);
    m_delete->setAutoDefault(false);
    m_create->hide();
    m_delete->hide();
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_create, &QPushButton::clicked, this, [this] {
        m_tree->setFocus();
        m_tree->createChild();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_tree->setFocus();
        m_tree->deleteSelected();
    });
    connect(m_tree, &TreeEditView::selectedChanged, this, &TreeSelectDialog::selectionMoved);
    connect(m_tree, &TreeEditView::treeChanged, this, &TreeSelectDialog::selectionMoved);
    connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (m_picker.canAccept(m_tree->treeModel().idAt(index)))
            accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_buttons);
    resize(360, 440);
}

void TreeSelectDialog::setEditing(TreeEditContext context)
{
    m_tree->setEditing(std::move(context));
    m_create->show();
    m_delete->show();
    selectionMoved();
}

qint32 TreeSelectDialog::pick(TreeItems items, quint64 changeCount, qint32 current)
{
    const qint32 shown = items.find(current) >= 0 ? current : m_picker.remembered();
    m_tree->showItems(std::move(items), changeCount, shown);
    selectionMoved();
    m_tree->setFocus();
    if (exec() != QDialog::Accepted)
        return 0;
    return m_picker.accept(selectedId());
}

qint32 TreeSelectDialog::selectedId() const
{
    return m_tree->selectedId();
}

void TreeSelectDialog::selectionMoved()
{
    const bool any = m_tree->currentIndex().isValid();
    const qint32 id = selectedId();
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(any && m_picker.canAccept(id));
    m_create->setEnabled(any && m_tree->editable() && m_picker.canCreate(id));
    m_delete->setEnabled(any && m_tree->editable() && m_picker.canDelete(id));
}
