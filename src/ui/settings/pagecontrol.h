#pragma once

#include <QWidget>

#include <vector>

class QButtonGroup;
class QGridLayout;
class QStackedWidget;
class QToolButton;

// Pages with their tabs along the bottom, in as many rows of fixed-width tabs as they need, so
// that every caption stays whole in a narrow dialog. A tab's caption may carry an accelerator
// ("&rozsah počtů": Alt+R shows the page); Ctrl+Tab and Ctrl+Shift+Tab go through the pages.
class TPageControl : public QWidget
{
    Q_OBJECT

public:
    explicit TPageControl(int tabWidth, int tabsPerRow, QWidget *parent = nullptr);

    void addPage(QWidget *page, const QString &caption, const char *name);
    int count() const { return int(m_tabs.size()); }
    int currentIndex() const;
    void setCurrentIndex(int index);
    QToolButton *tab(int index) const { return m_tabs[std::size_t(index)]; }

private:
    int m_tabWidth;
    int m_tabsPerRow;
    QStackedWidget *m_pages = nullptr;
    QGridLayout *m_tabRows = nullptr;
    QButtonGroup *m_group = nullptr;
    std::vector<QToolButton *> m_tabs;
};
