#pragma once

#include "core/classroom/classfolder.h"

#include <QDate>
#include <QString>

class QWidget;

// How a class's start was asked for on the command line.
struct ClassStartOptions
{
    QString pupil;      // --pupil NAME: that pupil practises, no list is shown
    bool overview = false; // --overview: the teacher's overview, then the end
    QString loginName;  // the account's login name, selected in the list when it is a pupil's
};

// The start of a class folder: the teacher's overview, or the pupil who practises, chosen in
// "Kdo cvičí?" unless named on the command line. Gives the pupil's data folder (created at the
// first start); no folder when the program is to end, with the problem why when a pupil named
// on the command line cannot practise, and with none after the overview alone or Esc in the list.
DataFolderChoice RunClassStart(const ClassFolder &classFolder, const ClassStartOptions &options, QDate today);

// The teacher's password of the class, asked as for leaving the teaching mode: true when the
// class's numik.ini has none or the password typed is exactly the one stored.
bool ClassPasswordAccepted(QWidget *parent, const QString &iniFile);
