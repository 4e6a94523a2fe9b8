// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class BarraNavigazione;
class OrigineComuni;
class Platform;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTableView;

// The municipality browser: one shared, non-modal window over table Comuni,
// which it reads through a connection of its own. It belongs to no other
// window: it stays open when the main window closes.
class FrmComuni : public QWidget
{
public:
    // Shows the browser on the database file at `percorsoDatiAtto`, creating
    // it when it is not open; an open browser keeps its filter and sort.
    static void apri(const QString &percorsoDatiAtto, Platform &platform);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    FrmComuni(const QString &percorsoDatiAtto, Platform &platform);
    void createLayout();
    bool apriOrigine();
    void segnaScelta(QRadioButton *scelta);

    void DataGrid1_HeadClick(int ColIndex);
    void Option1_Click();
    void Option4_Click();

    Platform &m_platform;
    OrigineComuni *m_origine;
    QTableView *DataGrid1 = nullptr;
    BarraNavigazione *Adodc1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option4 = nullptr;
};
