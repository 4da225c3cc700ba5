#include "restoredialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString contents(const backup::Entry &entry)
{
    const QLocale locale(QLocale::Japanese, QLocale::Japan);
    QStringList golfers;
    for (const backup::GolferCards &g : entry.golfers)
        golfers.append(
            g.name + QStringLiteral(" ") + locale.toString(g.cards) + QStringLiteral("枚"));
    if (golfers.isEmpty())
        return QStringLiteral("スコアカード ") + locale.toString(entry.cards)
            + QStringLiteral("枚");
    return golfers.join(QStringLiteral("、"));
}

} // namespace

RestoreDialog::RestoreDialog(QWidget *parent) : TModalDialog(parent)
{
    setObjectName(QStringLiteral("RestoreDialog"));
    setWindowTitle(QStringLiteral("バックアップから復元"));
    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(
        QStringLiteral(
            "復元するバックアップを選んでください。今のデータは復元の前にバックアップされます。"),
        this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("BackupList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("日付"),
        QStringLiteral("内容（ゴルファーとスコアカード）"), QStringLiteral("状態")});
    m_list->setMinimumSize(520, 200);
    m_list->setTabKeyNavigation(false);
    m_list->header()->setStretchLastSection(true);
    layout->addWidget(m_list, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_restore = new QPushButton(QStringLiteral("復元(&R)..."), this);
    m_restore->setObjectName(QStringLiteral("RestoreButton"));
    // A restore backs the present data up first and asks once more: Enter may start it.
    m_restore->setDefault(true);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_restore, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &RestoreDialog::updateRestoreButton);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_restore->isEnabled())
            accept();
    });
}

QString RestoreDialog::title(const backup::Entry &entry)
{
    // The time tells a golfer which of his sessions a copy holds.
    const QString day = entry.created.date().toString(QStringLiteral("yyyy/MM/dd"));
    if (!entry.beforeRestore)
        return day + QChar(' ') + entry.created.time().toString(QStringLiteral("HH:mm"));
    return day + QChar(' ') + entry.created.time().toString(QStringLiteral("HH:mm:ss"))
        + QStringLiteral("（復元前）");
}

QString RestoreDialog::choose(const QList<backup::Entry> &entries)
{
    m_list->clear();
    for (const backup::Entry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_list,
            {title(entry), entry.damaged() ? QString() : contents(entry),
                entry.damaged() ? QStringLiteral("破損: ") + entry.damage
                                : QStringLiteral("正常")});
        item->setData(0, Qt::UserRole, entry.name);
        item->setData(0, Qt::UserRole + 1, entry.damaged());
        if (entry.damaged()) {
            item->setForeground(2, QBrush(Qt::red));
            item->setToolTip(2, item->text(2));
        }
        // Rows of a comfortable height to read and to click; set on the last column, whose
        // width follows the list's, so the columns sized to their texts keep their widths.
        item->setSizeHint(2, QSize(0, m_list->fontMetrics().height() + 12));
    }
    for (int c = 0; c < 2; ++c)
        m_list->resizeColumnToContents(c);
    // The newest whole copy is the one most often wanted.
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (!m_list->topLevelItem(i)->data(0, Qt::UserRole + 1).toBool()) {
            m_list->setCurrentItem(m_list->topLevelItem(i));
            break;
        }
    }
    updateRestoreButton();
    adjustSize(); // centred by its real size
    if (ShowModal() != QDialog::Accepted || !m_restore->isEnabled())
        return QString();
    return m_list->currentItem()->data(0, Qt::UserRole).toString();
}

void RestoreDialog::updateRestoreButton()
{
    const QTreeWidgetItem *item = m_list->currentItem();
    m_restore->setEnabled(item && !item->data(0, Qt::UserRole + 1).toBool());
}
