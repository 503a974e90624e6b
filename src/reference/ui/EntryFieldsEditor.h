#pragma once

#include <QString>

// What the entry fields form edits: a transaction or a plan. The editor behind
// holds every rule; the form sends what was typed and shows what it holds.
class EntryFieldsEditor {
public:
    // The fields Backspace or Delete empties as a whole.
    enum class Field { Category, Project, Contact };

    virtual ~EntryFieldsEditor() = default;

    virtual QString description() const = 0;
    virtual QString amountText() const = 0;
    virtual bool isPayment() const = 0;
    virtual QString categoryText() const = 0;
    virtual QString projectText() const = 0;
    virtual QString contact() const = 0;
    virtual QString note() const = 0;

    virtual void setDescription(const QString& text) = 0;
    virtual void setAmountText(const QString& text) = 0;
    virtual void setPayment(bool payment) = 0;
    virtual void setCategoryText(const QString& text) = 0;
    virtual void setProjectText(const QString& text) = 0;
    virtual void setContact(const QString& text) = 0;
    virtual void setNote(const QString& text) = 0;
    virtual void clearField(Field field) = 0;
};

// The transaction editor and the plan editor share these members by name; the
// adapter lets the one form serve both.
template <typename Editor> class EntryFieldsAdapter final : public EntryFieldsEditor {
public:
    explicit EntryFieldsAdapter(Editor& editor) : m_editor(editor) {}

    QString description() const override { return m_editor.description(); }
    QString amountText() const override { return m_editor.amountText(); }
    bool isPayment() const override { return m_editor.isPayment(); }
    QString categoryText() const override { return m_editor.categoryText(); }
    QString projectText() const override { return m_editor.projectText(); }
    QString contact() const override { return m_editor.contact(); }
    QString note() const override { return m_editor.note(); }

    void setDescription(const QString& text) override { m_editor.setDescription(text); }
    void setAmountText(const QString& text) override { m_editor.setAmountText(text); }
    void setPayment(bool payment) override { m_editor.setPayment(payment); }
    void setCategoryText(const QString& text) override { m_editor.setCategoryText(text); }
    void setProjectText(const QString& text) override { m_editor.setProjectText(text); }
    void setContact(const QString& text) override { m_editor.setContact(text); }
    void setNote(const QString& text) override { m_editor.setNote(text); }
    void clearField(Field field) override
    {
        switch (field) {
        case Field::Category:
            m_editor.clearField(Editor::Field::Category);
            break;
        case Field::Project:
            m_editor.clearField(Editor::Field::Project);
            break;
        case Field::Contact:
            m_editor.clearField(Editor::Field::Contact);
            break;
        }
    }

private:
    Editor& m_editor;
};
