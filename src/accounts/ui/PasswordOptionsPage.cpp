#include "accounts/ui/PasswordOptionsPage.h"

#include "store/PasswordDigest.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

QLineEdit* passwordEdit(const QString& label, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(MaxPasswordLength);
    edit->setAccessibleName(label.chopped(1));
    return edit;
}

}  // namespace

PasswordOptionsPage::PasswordOptionsPage(DbTable& transactions, PasswordLock& lock, Interaction& ui,
                                         QWidget* parent)
    : QWidget(parent), m_transactions(transactions), m_lock(lock), m_ui(ui), m_form(lock.settings()),
      m_setPassword(new QCheckBox(QStringLiteral("Set Password"), this)),
      m_first(passwordEdit(QStringLiteral("Input New Password:"), this)),
      m_second(passwordEdit(QStringLiteral("Repeat New Password:"), this)),
      m_idle(new QCheckBox(QStringLiteral("Screen-Saver-Password:"), this)), m_minutes(new QLineEdit(this)),
      m_apply(new QPushButton(QStringLiteral("Apply"), this))
{
    setAccessibleName(QString::fromLatin1(TitleText));
    m_setPassword->setAccessibleName(m_setPassword->text());
    m_idle->setAccessibleName(QStringLiteral("Screen-Saver-Password"));
    m_minutes->setAccessibleName(QStringLiteral("Minutes"));
    m_minutes->setMaxLength(32);
    m_apply->setAccessibleName(m_apply->text());

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_setPassword, 0, 0, 1, 3);
    auto* firstLabel = new QLabel(QStringLiteral("Input New Password:"), this);
    firstLabel->setBuddy(m_first);
    auto* secondLabel = new QLabel(QStringLiteral("Repeat New Password:"), this);
    secondLabel->setBuddy(m_second);
    grid->addWidget(firstLabel, 1, 0);
    grid->addWidget(m_first, 1, 1, 1, 2);
    grid->addWidget(secondLabel, 2, 0);
    grid->addWidget(m_second, 2, 1, 1, 2);
    grid->addWidget(m_idle, 3, 0);
    grid->addWidget(m_minutes, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("minute(s)"), this), 3, 2);
    grid->addWidget(m_apply, 4, 2, Qt::AlignRight);
    grid->setRowStretch(5, 1);

    m_minutes->setText(m_form.idleMinutes());
    m_setPassword->setChecked(m_form.passwordChecked());
    m_idle->setChecked(m_form.idleChecked());
    connect(m_setPassword, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setPasswordChecked(on);
        showState();
    });
    connect(m_idle, &QCheckBox::toggled, this, [this](bool on) {
        m_form.setIdleChecked(on);
        showState();
    });
    connect(m_first, &QLineEdit::textEdited, this, [this] { takePassword(m_first, true); });
    connect(m_second, &QLineEdit::textEdited, this, [this] { takePassword(m_second, false); });
    connect(m_minutes, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_form.setIdleMinutes(text);
        showState();
    });
    connect(m_apply, &QPushButton::clicked, this, &PasswordOptionsPage::apply);
    showState();
}

void PasswordOptionsPage::takePassword(QLineEdit* edit, bool first)
{
    const bool taken = first ? m_form.setFirstPassword(edit->text()) : m_form.setSecondPassword(edit->text());
    if (!taken) {
        // A text the field does not take leaves it as it was.
        const QSignalBlocker block(edit);
        edit->setText(first ? m_form.firstPassword() : m_form.secondPassword());
    }
    showState();
}

void PasswordOptionsPage::showState()
{
    m_first->setEnabled(m_form.passwordFieldsEnabled());
    m_second->setEnabled(m_form.passwordFieldsEnabled());
    m_idle->setEnabled(m_form.idleCheckEnabled());
    m_minutes->setEnabled(m_form.idleMinutesEnabled());
    m_apply->setEnabled(m_form.applyEnabled());
}

bool PasswordOptionsPage::apply()
{
    if (!m_form.applyEnabled())
        return true;
    switch (m_form.apply(m_transactions, m_lock, m_ui)) {
    case PasswordOptions::Outcome::Saved:
        showState();
        Q_EMIT applied();
        return true;
    case PasswordOptions::Outcome::PasswordsDiffer:
        m_first->setFocus();
        m_first->selectAll();
        break;
    case PasswordOptions::Outcome::IdleTooShort:
        m_minutes->setFocus();
        m_minutes->selectAll();
        break;
    case PasswordOptions::Outcome::WriteFailed:
        m_ui.showMessage(QString::fromLatin1(WriteFailedText), Interaction::Icon::Error);
        break;
    }
    showState();
    return false;
}
