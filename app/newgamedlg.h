#ifndef CHECKERS_APP_NEWGAMEDLG_H
#define CHECKERS_APP_NEWGAMEDLG_H

#include <QWidget>

class CBoard;
class CPlayer;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

// The "New Game" window: for each side a person with a name or the computer
// with a skill. Start only says so; the main window then asks the dialog to
// build the two players from what it shows.
class CNewGameDlg : public QWidget
{
    Q_OBJECT

public:
    CNewGameDlg(QStatusBar *statusBar, CBoard *board, QWidget *parent = nullptr);

    CPlayer *createWhitePlayer();
    CPlayer *createBlackPlayer();
    static QComboBox *createSkillCombo();

signals:
    void sig_okPushed();

private slots:
    void slot_wHumanSelected();
    void slot_wCompSelected();
    void slot_bHumanSelected();
    void slot_bCompSelected();

private:
    QLayout *createWhiteRow();
    QLayout *createBlackRow();
    CPlayer *createPlayer(const QRadioButton *humanRadio, const QLineEdit *nameEdit,
                          const QComboBox *skillCombo, const char *skillLabel);

    QGroupBox *whiteGroup;
    QRadioButton *whiteHumanRadio;
    QRadioButton *whiteCompRadio;
    QLabel *whiteLabel;
    QLineEdit *whiteNameEdit;
    QComboBox *whiteSkillCombo;
    QGroupBox *blackGroup;
    QRadioButton *blackHumanRadio;
    QRadioButton *blackCompRadio;
    QLabel *blackLabel;
    QLineEdit *blackNameEdit;
    QComboBox *blackSkillCombo;
    QPushButton *startButton;
    QStatusBar *statusBar;
    CBoard *board;
};

#endif
