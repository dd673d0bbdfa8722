#include "ui/settings/pagecontrol.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

TPageControl::TPageControl(int tabWidth, int tabsPerRow, QWidget *parent)
    : QWidget(parent)
    , m_tabWidth(tabWidth)
    , m_tabsPerRow(tabsPerRow)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pages = new QStackedWidget(this);
    m_pages->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    layout->addWidget(m_pages, 1);
    m_tabRows = new QGridLayout;
    m_tabRows->setContentsMargins(2, 0, 2, 2);
    m_tabRows->setSpacing(0);
    m_tabRows->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(m_tabRows);

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, m_pages, &QStackedWidget::setCurrentIndex);

    auto *next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    next->setContext(Qt::WindowShortcut);
    connect(next, &QShortcut::activated, this, [this] { setCurrentIndex((currentIndex() + 1) % count()); });
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    previous->setContext(Qt::WindowShortcut);
    connect(previous, &QShortcut::activated, this,
            [this] { setCurrentIndex((currentIndex() + count() - 1) % count()); });
}

void TPageControl::addPage(QWidget *page, const QString &caption, const char *name)
{
    const int index = count();
    page->setObjectName(QString::fromLatin1(name));
    m_pages->addWidget(page);

    auto *tab = new QToolButton(this);
    tab->setObjectName(QString::fromLatin1(name) + QStringLiteral("Tab"));
    tab->setText(caption);
    tab->setCheckable(true);
    tab->setFixedWidth(m_tabWidth);
    tab->setFocusPolicy(Qt::StrongFocus);
    tab->setAccessibleName(QString(caption).remove(u'&'));
    m_group->addButton(tab, index);
    m_tabRows->addWidget(tab, index / m_tabsPerRow, index % m_tabsPerRow);
    m_tabs.push_back(tab);
    if (index == 0)
        tab->setChecked(true);
}

int TPageControl::currentIndex() const
{
    return m_pages->currentIndex();
}

void TPageControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    m_tabs[std::size_t(index)]->setChecked(true);
    m_pages->setCurrentIndex(index);
}
