#pragma once

#include <QDialog>
#include <QSize>

class QLabel;
class QMenu;
class QPushButton;

// The About window: the icon, the program's name, description, version, maker and rights notice,
// the maker's web and e-mail addresses as links, each with a menu of addresses, and "O.K.".
class TFMAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TFMAbout(QWidget *parent = nullptr);

    static constexpr QSize BaseSize{352, 226};

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void FormCreate();
    QLabel *addValue(const char *captionName, const QString &caption, const char *name, const QRect &captionPlace,
                     const QRect &place, bool bold);
    QLabel *addLink(const char *name, const QRect &place, Qt::Alignment alignment);
    QMenu *addMenu(const char *name, const char *itemName, const char *const *addresses, int count, bool mail);
    // The menu of a link, opened 5 pixels left of and above the point the pupil clicked.
    void openLinkMenu(QMenu *menu, const QPoint &globalPosition);

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *LWWW = nullptr;
    QLabel *LEmail = nullptr;
    QMenu *PMWWW = nullptr;
    QMenu *PMEmail = nullptr;
    QPushButton *Button1 = nullptr;
};
