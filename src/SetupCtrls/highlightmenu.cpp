// The highlight circles' main-menu entries and the sharing of radio panels within link groups.
#include "boardhighlight.h"

#include "application.h"
#include "component.h"
#include "menuitems.h"
#include "popupform.h"
#include "radiopanel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {

// The top-level items a new group item of the caption goes before, the first found.
QStringList InsertBefore(const QString &caption)
{
    if (caption == QLatin1String("&Settings"))
        return {QStringLiteral("&Calibration"), QStringLiteral("&Options"), QStringLiteral("&Help")};
    if (caption == QLatin1String("&Calibration"))
        return {QStringLiteral("&Options"), QStringLiteral("&Help")};
    return {QStringLiteral("&Help")};
}

QString NameStem(TBoardHighlight::THighlightType type)
{
    switch (type) {
    case TBoardHighlight::htOptions:
        return QStringLiteral("Options");
    case TBoardHighlight::htSettings:
        return QStringLiteral("Settings");
    case TBoardHighlight::htCalibration:
        return QStringLiteral("Calibration");
    }
    return QString();
}

} // namespace

QString TBoardHighlight::GroupCaption() const
{
    return QLatin1Char('&') + NameStem(m_highlightType);
}

void TBoardHighlight::BuildMenuEntries()
{
    if (!m_boardMenu)
        return;
    QWidget *owner = m_boardMenu->window();
    const QString caption = GroupCaption();
    const QList<QAction *> items = m_boardMenu->actions();

    const auto createEntry = [this, owner](QMenu *group) {
        auto *entry = new QAction(m_title, owner);
        // A title without any letter or "_" gives no identifier; the entry is then named by its role.
        entry->setObjectName(Component::UniqueName(owner, m_titleIdent.isEmpty() ? QStringLiteral("Entry") : m_titleIdent));
        entry->setCheckable(true);
        // Guarded: the entry outlives a circle destroyed on its own.
        entry->setData(QVariant::fromValue(QPointer<TBoardHighlight>(this)));
        // A checkable action flips its mark before it triggers: give the handler the state the
        // user clicked on.
        connect(entry, &QAction::triggered, this, [this, entry](bool checked) {
            entry->setChecked(!checked);
            RunGuarded([&] { MenuItemClick(entry); });
        });
        group->addAction(entry);
    };

    for (QAction *item : items) {
        if (item->text() != caption)
            continue;
        const QList<QAction *> entries = item->menu() ? item->menu()->actions() : QList<QAction *>();
        for (const QAction *entry : entries) {
            if (entry->text() == m_title)
                return;
        }
        if (!m_title.isEmpty())
            createEntry(EntriesOf(item, owner));
        return;
    }

    auto *group = new QMenu(caption, owner);
    group->setObjectName(Component::UniqueName(owner, NameStem(m_highlightType)));
    const QStringList before = InsertBefore(caption);
    QAction *position = nullptr;
    for (QAction *item : items) {
        if (before.contains(item->text())) {
            position = item;
            break;
        }
    }
    m_boardMenu->insertMenu(position, group);
    if (!m_title.isEmpty())
        createEntry(group);
}

QAction *TBoardHighlight::FindMenuEntry() const
{
    if (!m_boardMenu)
        return nullptr;
    const QString caption = GroupCaption();
    for (QAction *item : m_boardMenu->actions()) {
        if (item->text() != caption || !item->menu())
            continue;
        for (QAction *entry : item->menu()->actions()) {
            if (entry->text() == m_title)
                return entry;
        }
    }
    return nullptr;
}

void TBoardHighlight::CheckMenuEntry(bool Value)
{
    if (QAction *entry = FindMenuEntry())
        entry->setChecked(Value);
}

void TBoardHighlight::MenuItemClick(QObject *Sender)
{
    auto *item = qobject_cast<QAction *>(Sender);
    if (item && item->isChecked()) {
        if (m_popup) {
            m_popup->close();
            return;
        }
        for (TBoardHighlight *member : LinkGroup()) {
            if (member->m_popup)
                member->MenuItemClick(Sender);
        }
        return;
    }
    MouseEnter(0);
    Pin();
    MouseLeave(0);
}

void TBoardHighlight::LinkRadioPanel(TRadioPanel *Panel)
{
    if (m_radioPanel != Panel)
        m_radioPanel = Panel;
}

void TBoardHighlight::SetRadioPanel(TRadioPanel *value)
{
    if (value == m_radioPanel)
        return;
    if (!value) {
        m_radioPanel = nullptr;
        return;
    }
    QWidget *parent = parentWidget();
    const QObjectList siblings = parent ? parent->children() : QObjectList();
    for (QObject *child : siblings) {
        auto *member = qobject_cast<TBoardHighlight *>(child);
        if (!member || member == this || !Component::HasClassName(member, "TBoardHighlight") ||
            member->m_radioPanel != value)
            continue;
        if (member->m_title != m_title || member->m_highlightType != m_highlightType) {
            // A circle in design mode stands on a designed parent, which may itself carry no flag.
            if (Component::IsDesigning(this))
                QMessageBox::critical(parent, QStringLiteral("Error"),
                                      value->objectName() + QStringLiteral(" has already been assigned to ") +
                                          member->objectName() + QStringLiteral("."));
            return;
        }
    }
    m_radioPanel = value;
    if (!Component::IsDesigning(this) || Component::IsLoading(this))
        return;
    for (QObject *child : siblings) {
        auto *member = qobject_cast<TBoardHighlight *>(child);
        if (!member || member == this || !Component::HasClassName(member, "TBoardHighlight") ||
            member->m_title != m_title || member->m_highlightType != m_highlightType || member->m_radioPanel == value)
            continue;
        const QMessageBox::StandardButton answer = QMessageBox::question(
            parent, QStringLiteral("Confirm"),
            objectName() + QStringLiteral("'s RadioPanel property changed. Synchronize linked component ") +
                member->objectName() + QStringLiteral("?"),
            QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes)
            member->LinkRadioPanel(value);
    }
}
