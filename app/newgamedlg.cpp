#include "newgamedlg.h"

#include "board/debugline.h"
#include "board/humanplayer.h"
#include "engine/compplayer.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const int groupWidth = 100;
const int groupSideMargin = 4;
const int computerDelay = 100;

QGroupBox *createGroup(const QString &title, QRadioButton *human, QRadioButton *computer)
{
    auto *group = new QGroupBox(title);
    auto *layout = new QVBoxLayout;
    layout->addWidget(human);
    layout->addWidget(computer);
    // Today's default fonts are wider than the fixed width was made for:
    // narrower side margins keep "Computer" whole.
    const QMargins margins = layout->contentsMargins();
    layout->setContentsMargins(groupSideMargin, margins.top(), groupSideMargin, margins.bottom());
    group->setLayout(layout);
    group->setFixedWidth(groupWidth);
    return group;
}

QLayout *createRow(QGroupBox *group, QLabel *label, QLineEdit *nameEdit, QComboBox *skillCombo)
{
    auto *column = new QVBoxLayout;
    column->addWidget(label);
    column->addWidget(nameEdit);
    column->addWidget(skillCombo);
    auto *row = new QHBoxLayout;
    row->addWidget(group);
    row->addLayout(column);
    return row;
}

// The typed name and the chosen skill stay in their hidden widget.
void showEntry(QLabel *label, QLineEdit *nameEdit, QComboBox *skillCombo, bool human)
{
    label->setText(human ? CNewGameDlg::tr("Name:") : CNewGameDlg::tr("Skill:"));
    nameEdit->setVisible(human);
    skillCombo->setVisible(!human);
}

} // namespace

CNewGameDlg::CNewGameDlg(QStatusBar *statusBar, CBoard *board, QWidget *parent)
    : QWidget(parent)
    , statusBar(statusBar)
    , board(board)
{
    auto *layout = new QVBoxLayout;
    layout->addLayout(createWhiteRow());
    layout->addLayout(createBlackRow());
    startButton = new QPushButton(tr("Start"));
    connect(startButton, &QPushButton::clicked, this, &CNewGameDlg::sig_okPushed);
    layout->addWidget(startButton);
    setLayout(layout);
    setFixedSize(250, 200);
    setWindowTitle(tr("New Game"));
}

QLayout *CNewGameDlg::createWhiteRow()
{
    whiteHumanRadio = new QRadioButton(tr("Human"));
    connect(whiteHumanRadio, &QRadioButton::clicked, this, &CNewGameDlg::slot_wHumanSelected);
    whiteCompRadio = new QRadioButton(tr("Computer"));
    connect(whiteCompRadio, &QRadioButton::clicked, this, &CNewGameDlg::slot_wCompSelected);
    whiteGroup = createGroup(tr("White Player"), whiteHumanRadio, whiteCompRadio);
    whiteHumanRadio->setChecked(true);

    whiteLabel = new QLabel(tr("Name:"));
    whiteNameEdit = new QLineEdit(tr("Player 1"));
    whiteSkillCombo = createSkillCombo();
    QLayout *row = createRow(whiteGroup, whiteLabel, whiteNameEdit, whiteSkillCombo);
    whiteSkillCombo->hide();
    return row;
}

QLayout *CNewGameDlg::createBlackRow()
{
    blackHumanRadio = new QRadioButton(tr("Human"));
    connect(blackHumanRadio, &QRadioButton::clicked, this, &CNewGameDlg::slot_bHumanSelected);
    blackCompRadio = new QRadioButton(tr("Computer"));
    connect(blackCompRadio, &QRadioButton::clicked, this, &CNewGameDlg::slot_bCompSelected);
    blackGroup = createGroup(tr("Black Player"), blackHumanRadio, blackCompRadio);
    blackCompRadio->setChecked(true);

    blackLabel = new QLabel(tr("Skill:"));
    blackNameEdit = new QLineEdit(tr("Player 1"));
    blackSkillCombo = createSkillCombo();
    QLayout *row = createRow(blackGroup, blackLabel, blackNameEdit, blackSkillCombo);
    blackNameEdit->hide();
    return row;
}

QComboBox *CNewGameDlg::createSkillCombo()
{
    auto *combo = new QComboBox;
    combo->addItem(tr("Poor"));
    combo->addItem(tr("Medium"));
    combo->addItem(tr("Good"));
    combo->setCurrentIndex(2);
    return combo;
}

CPlayer *CNewGameDlg::createWhitePlayer()
{
    return createPlayer(whiteHumanRadio, whiteNameEdit, whiteSkillCombo, "whiteskill: ");
}

CPlayer *CNewGameDlg::createBlackPlayer()
{
    return createPlayer(blackHumanRadio, blackNameEdit, blackSkillCombo, "blackskill: ");
}

CPlayer *CNewGameDlg::createPlayer(const QRadioButton *humanRadio, const QLineEdit *nameEdit,
                                   const QComboBox *skillCombo, const char *skillLabel)
{
    if (humanRadio->isChecked())
        return new CHumanPlayer(nameEdit->text(), statusBar);
    const int depth = 2 * skillCombo->currentIndex() + 1;
    CDebugLine() << skillLabel << depth;
    return new CCompPlayer(board, statusBar, depth, computerDelay);
}

void CNewGameDlg::slot_wHumanSelected()
{
    showEntry(whiteLabel, whiteNameEdit, whiteSkillCombo, true);
}

void CNewGameDlg::slot_wCompSelected()
{
    showEntry(whiteLabel, whiteNameEdit, whiteSkillCombo, false);
}

void CNewGameDlg::slot_bHumanSelected()
{
    showEntry(blackLabel, blackNameEdit, blackSkillCombo, true);
}

void CNewGameDlg::slot_bCompSelected()
{
    showEntry(blackLabel, blackNameEdit, blackSkillCombo, false);
}
