#include "board/humanplayer.h"
#include "board/debugline.h"
#include "rules/gamestate.h"

#include <QStatusBar>
#include <QTest>

namespace {

QStringList messages;

void recordMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messages.append(text);
}

// Stands in for the computer: all that matters here is that it is not a person.
class CMachine : public CPlayer
{
public:
    CMachine()
        : CPlayer(CGameState::White)
    { }
    bool isHuman() const override { return false; }
    QString name() const override { return QStringLiteral("machine"); }
    void play() override { }
};

} // namespace

class TestHumanPlayer : public QObject
{
    Q_OBJECT

    QtMessageHandler previousHandler = nullptr;
    QStatusBar statusBar;

private slots:
    void init()
    {
        messages.clear();
        previousHandler = qInstallMessageHandler(recordMessage);
        statusBar.clearMessage();
    }
    void cleanup() { qInstallMessageHandler(previousHandler); }

    void debugLineSpacesEveryItemAndQuotesStrings()
    {
        CDebugLine() << "a" << QStringLiteral("say \"hi\"\n") << -7 << "";
        QCOMPARE(messages, QStringList { QStringLiteral("a \"say \"hi\"\n\" -7  ") });
    }

    void twoPeopleAreAddressedByName()
    {
        CHumanPlayer ann(QStringLiteral("Ann"), &statusBar);
        CHumanPlayer bob(QStringLiteral("Bob"), &statusBar);
        ann.opponent = &bob;
        bob.opponent = &ann;
        bob.side = CGameState::Black;

        ann.play();
        QCOMPARE(statusBar.currentMessage(), QStringLiteral("It's Ann's turn"));
        bob.play();
        QCOMPARE(statusBar.currentMessage(), QStringLiteral("It's Bob's turn"));
        bob.play();
        QCOMPARE(messages,
                 QStringList({ QStringLiteral("its  \"Ann\" 's [ 3 ] turn "),
                               QStringLiteral("its  \"Bob\" 's [ 4 ] turn "),
                               QStringLiteral("its  \"Bob\" 's [ 4 ] turn ") }));
    }

    void aPersonAgainstTheComputerIsAddressedAsYou()
    {
        CHumanPlayer ann(QStringLiteral("Ann"), &statusBar);
        CMachine machine;
        ann.opponent = &machine;
        ann.play();
        QCOMPARE(statusBar.currentMessage(), QStringLiteral("It's your turn"));
        QCOMPARE(messages, QStringList { QStringLiteral("its  \"Ann\" 's [ 3 ] turn ") });
    }

    void withoutOpponentOrNameTheTextStillReads()
    {
        CHumanPlayer nameless(QString(), &statusBar);
        nameless.play();
        QCOMPARE(statusBar.currentMessage(), QStringLiteral("It's 's turn"));
        QCOMPARE(messages, QStringList { QStringLiteral("its  \"\" 's [ 3 ] turn ") });
    }
};

QTEST_MAIN(TestHumanPlayer)
#include "humanplayertest.moc"
